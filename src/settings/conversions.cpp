#include "settings/conversions.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace settings {
namespace {

std::string trimBlanks(const std::string& text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Skips digits from `pos`; returns how many there were.
std::size_t skipDigits(const std::string& s, std::size_t& pos) {
    std::size_t start = pos;
    while (pos < s.size() && isDigit(s[pos]))
        ++pos;
    return pos - start;
}

// Checks the shape [sign] digits [sep digits] [e [sign] digits] and rewrites it with '.'.
std::optional<std::string> canonicalNumber(const std::string& s, char sep) {
    std::size_t pos = 0;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    std::size_t digits = skipDigits(s, pos);
    std::string out = s.substr(0, pos);
    if (pos < s.size() && s[pos] == sep) {
        std::size_t fracStart = ++pos;
        digits += skipDigits(s, pos);
        out += '.';
        out += s.substr(fracStart, pos - fracStart);
    }
    if (digits == 0) return std::nullopt;
    if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
        std::size_t expStart = pos++;
        if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
        if (skipDigits(s, pos) == 0) return std::nullopt;
        out += s.substr(expStart, pos - expStart);
    }
    if (pos != s.size()) return std::nullopt;
    return out;
}

std::string lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

template <typename Int> Int roundedInto(double value) {
    double rounded = roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        throw OverflowError();
    return Int(rounded);
}

} // namespace

std::optional<double> parseNumber(const std::string& text, char decimalSeparator) {
    auto canonical = canonicalNumber(trimBlanks(text), decimalSeparator);
    if (!canonical) return std::nullopt;
    double value = std::strtod(canonical->c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double toDouble(const std::string& text, char decimalSeparator) {
    auto value = parseNumber(text, decimalSeparator);
    if (!value) throw ConversionError(text);
    return *value;
}

double roundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::int16_t toInt16(double value) {
    return roundedInto<std::int16_t>(value);
}
std::int32_t toInt32(double value) {
    return roundedInto<std::int32_t>(value);
}

std::int32_t toInt32(const std::string& text, char decimalSeparator) {
    return toInt32(toDouble(text, decimalSeparator));
}

bool toTruth(const std::string& text, char decimalSeparator) {
    std::string word = lower(trimBlanks(text));
    if (word == "true") return true;
    if (word == "false") return false;
    return toDouble(text, decimalSeparator) != 0;
}

} // namespace settings
