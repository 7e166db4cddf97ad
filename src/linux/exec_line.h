#pragma once
// The Exec line of a desktop entry, written and read as the Desktop Entry format has it:
// each argument in double quotes with '"', '`', '$' and '\' escaped by a backslash, a
// literal '%' doubled, then the whole line escaped as a string value ('\\', '\n', '\t',
// '\r').
#include <optional>
#include <string>
#include <vector>

namespace linux {

// The Exec value that starts the program at `programPath`, with no arguments. A path
// holding '%' is started through /bin/sh: the session starters look for the program
// under its path with the '%' still doubled, and find none.
std::string execLine(const std::string& programPath);
// The program an Exec value starts, either way execLine writes it; nothing for a value
// that names none (empty, or a quote left open).
std::optional<std::string> execProgram(const std::string& execValue);

// Each step on its own, for the reading and the writing above.
std::string quotedArgument(const std::string& argument);
std::string escapedString(const std::string& text);
std::string unescapedString(const std::string& value);
std::optional<std::vector<std::string>> splitArguments(const std::string& commandLine);

} // namespace linux
