#include "settings/reg_text.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace settings {

namespace {

const std::string HEADER = "Windows Registry Editor Version 5.00";
const std::string ROOT = "HKEY_CURRENT_USER";

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

// A text value that a quoted string carries exactly: one terminating zero, no other, on
// one line.
bool plainText(const MemoryRegistry::Value& v) {
    if (v.type != platform::REG_SZ_T || v.data.empty() || v.data.back() != '\0') return false;
    return v.data.find_first_of(std::string("\r\n\0", 3)) == v.data.size() - 1;
}

std::string dataText(const MemoryRegistry::Value& v) {
    if (plainText(v)) return quoted(v.data.substr(0, v.data.size() - 1));
    char number[32];
    if (v.type == platform::REG_DWORD_T && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = n << 8 | static_cast<unsigned char>(v.data[std::size_t(i)]);
        std::snprintf(number, sizeof number, "dword:%08x", unsigned(n));
        return number;
    }
    std::snprintf(number, sizeof number, "hex(%x):", unsigned(v.type));
    std::string out = number;
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(number, sizeof number, i ? ",%02x" : "%02x",
                      unsigned(static_cast<unsigned char>(v.data[i])));
        out += number;
    }
    return out;
}

} // namespace

std::string writeRegText(const MemoryRegistry::Keys& keys) {
    std::string out = HEADER + "\n";
    for (const auto& [folded, key] : keys) {
        out += "\n[" + ROOT + "\\" + key.path + "]\n";
        for (const auto& [foldedName, named] : key.values)
            out += (named.name.empty() ? "@" : quoted(named.name)) + "=" + dataText(named.value) +
                   "\n";
    }
    return out;
}

namespace {

std::string trimmedFront(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

// A text's lines without their CR LF or LF, a leading byte-order mark dropped.
std::vector<std::string> physicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    while (pos < text.size()) {
        std::size_t end = std::min(text.find('\n', pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
        pos = end + 1;
    }
    return lines;
}

// The logical line at `index`: a hex list ending in '\' goes on over the next lines.
std::string logicalLine(const std::vector<std::string>& lines, std::size_t& index) {
    std::string line = lines[index];
    bool hex = line.find("=hex") != std::string::npos;
    while (hex && !line.empty() && line.back() == '\\' && index + 1 < lines.size()) {
        line.pop_back();
        line += trimmedFront(lines[++index]);
    }
    return line;
}

// A quoted string at `pos` with \\ and \" escapes; `pos` ends past its closing quote.
std::optional<std::string> unquote(const std::string& line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') return ++pos, out;
        if (c == '\\' && pos + 1 < line.size()) c = line[++pos];
        out += c;
    }
    return std::nullopt;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A number of one to `most` hex digits, the whole of `text`.
std::optional<std::uint32_t> hexNumber(const std::string& text, std::size_t most) {
    if (text.empty() || text.size() > most) return std::nullopt;
    std::uint32_t n = 0;
    for (char c : text) {
        if (hexDigit(c) < 0) return std::nullopt;
        n = n << 4 | std::uint32_t(hexDigit(c));
    }
    return n;
}

std::optional<std::string> hexBytes(const std::string& list) {
    std::string out;
    std::stringstream items(list);
    for (std::string item; std::getline(items, item, ',');) {
        auto byte = hexNumber(trimmedFront(item), 2);
        if (!byte) return std::nullopt;
        out += char(*byte);
    }
    return out;
}

std::optional<MemoryRegistry::Value> parseData(const std::string& data) {
    using V = MemoryRegistry::Value;
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        auto text = unquote(data, pos);
        if (!text || pos != data.size()) return std::nullopt;
        return V{platform::REG_SZ_T, *text + '\0'};
    }
    if (data.rfind("dword:", 0) == 0) {
        auto n = hexNumber(data.substr(6), 8);
        if (!n) return std::nullopt;
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += char(*n >> (8 * i) & 0xFF);
        return V{platform::REG_DWORD_T, bytes};
    }
    std::size_t colon = data.find(':');
    if (data.rfind("hex", 0) != 0 || colon == std::string::npos) return std::nullopt;
    std::string kind = data.substr(3, colon - 3);
    std::optional<std::uint32_t> type = 3; // plain "hex:" is binary
    if (!kind.empty())
        type = kind.size() > 2 && kind.front() == '(' && kind.back() == ')'
                   ? hexNumber(kind.substr(1, kind.size() - 2), 8)
                   : std::nullopt;
    auto bytes = hexBytes(data.substr(colon + 1));
    if (!type || !bytes) return std::nullopt;
    return V{*type, *bytes};
}

struct Reader {
    MemoryRegistry::Keys keys;
    MemoryRegistry::Key* current = nullptr;
    std::string reason;

    bool line(const std::string& text) {
        if (text.empty() || text[0] == ';') return true;
        return text[0] == '[' ? section(text) : value(text);
    }
    bool section(const std::string& text) {
        const std::string prefix = "[" + ROOT + "\\";
        if (text.back() != ']' || text.rfind(prefix, 0) != 0) return fail("a key outside " + ROOT);
        std::string path = MemoryRegistry::trimmedPath(
            text.substr(prefix.size(), text.size() - prefix.size() - 1));
        // Only backslashes name the root itself, which holds none of the program's values
        // and could not be written back as a key.
        if (path.empty()) return fail("a key outside " + ROOT);
        current = &keys[MemoryRegistry::foldCase(path)];
        if (current->path.empty()) current->path = path;
        return true;
    }
    bool value(const std::string& text) {
        if (!current) return fail("a value before any key");
        std::size_t pos = 0;
        std::optional<std::string> name =
            text[0] == '@' ? (++pos, std::string()) : unquote(text, pos);
        if (!name || pos >= text.size() || text[pos] != '=') return fail("no value name");
        auto data = parseData(text.substr(pos + 1));
        if (!data) return fail("a value that cannot be read");
        auto& slot = current->values[MemoryRegistry::foldCase(*name)];
        slot = {slot.name.empty() ? *name : slot.name, *data};
        return true;
    }
    bool fail(std::string why) {
        reason = std::move(why);
        return false;
    }
};

} // namespace

std::optional<MemoryRegistry::Keys> readRegText(const std::string& text, RegTextError* error) {
    auto lines = physicalLines(text);
    Reader reader;
    bool header = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::size_t first = i;
        std::string line = logicalLine(lines, i);
        bool ok = header ? reader.line(line) : line.empty() || (header = line == HEADER);
        if (!ok || (!header && i + 1 == lines.size())) {
            if (error)
                *error = {int(first) + 1, header ? reader.reason : "no registry export header"};
            return std::nullopt;
        }
    }
    if (!header && error) *error = {1, "no registry export header"};
    return header ? std::optional(reader.keys) : std::nullopt;
}

} // namespace settings
