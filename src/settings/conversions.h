#pragma once
// The conversions the stored texts go through: numbers in the user's locale, integers
// rounded half to even, truth values. A text that does not convert throws
// ConversionError, which ends the procedure that asked (or its caller's guard).
#include "settings/errors.h"

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

// A number as text: blanks around it, an optional sign, digits with one decimal
// separator, an optional exponent. Empty when the text is not such a number.
std::optional<double> parseNumber(const std::string& text, char decimalSeparator = '.');

double toDouble(const std::string& text, char decimalSeparator = '.');
double roundHalfEven(double value);
std::int16_t toInt16(double value); // rounds half to even; OverflowError outside
std::int32_t toInt32(double value); // rounds half to even; OverflowError outside
std::int32_t toInt32(const std::string& text, char decimalSeparator = '.');
// "0" false, other numbers true, the words True and False in any case.
bool toTruth(const std::string& text, char decimalSeparator = '.');

} // namespace settings
