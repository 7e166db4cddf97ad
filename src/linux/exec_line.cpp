#include "linux/exec_line.h"

#include <algorithm>

namespace linux {

namespace {

// Runs its first argument, so that the program's path is an argument, not the program.
const std::vector<std::string> SHELL_START = {"/bin/sh", "-c", "exec \"$0\""};

bool reservedInQuotes(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

std::string doubledPercents(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '%' ? "%%" : std::string(1, c);
    return out;
}

// A field code "%%" stands for '%'; the others have no meaning for a path and stay.
std::string expandedPercents(const std::string& argument) {
    std::string out;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        out += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%') ++i;
    }
    return out;
}

// The quoted argument starting at `at` (after its opening quote); `at` ends past its
// closing quote. Nothing when the quote is never closed.
std::optional<std::string> quotedAt(const std::string& line, std::size_t& at) {
    std::string argument;
    for (; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size() && reservedInQuotes(line[at + 1])) ++at;
        argument += line[at];
    }
    if (at == line.size()) return std::nullopt;
    ++at;
    return argument;
}

} // namespace

std::string quotedArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (reservedInQuotes(c)) quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string escapedString(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// "\s", "\n", "\t", "\r" and "\\"; a backslash before anything else stays as it is.
std::string unescapedString(const std::string& value) {
    static const std::string codes = "sntr\\", meant = " \n\t\r\\";
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        auto code = i + 1 < value.size() ? codes.find(value[i + 1]) : std::string::npos;
        if (value[i] != '\\' || code == std::string::npos) {
            out += value[i];
            continue;
        }
        out += meant[code];
        ++i;
    }
    return out;
}

std::optional<std::vector<std::string>> splitArguments(const std::string& commandLine) {
    std::vector<std::string> arguments;
    for (std::size_t at = 0; at < commandLine.size();) {
        if (commandLine[at] == ' ') {
            ++at;
        } else if (commandLine[at] == '"') {
            auto quoted = quotedAt(commandLine, ++at);
            if (!quoted) return std::nullopt;
            arguments.push_back(expandedPercents(*quoted));
        } else {
            auto end = std::min(commandLine.find(' ', at), commandLine.size());
            arguments.push_back(expandedPercents(commandLine.substr(at, end - at)));
            at = end;
        }
    }
    return arguments;
}

std::string execLine(const std::string& programPath) {
    std::string line;
    if (programPath.find('%') != std::string::npos)
        for (const auto& argument : SHELL_START)
            line += quotedArgument(argument) + ' ';
    return escapedString(line + doubledPercents(quotedArgument(programPath)));
}

std::optional<std::string> execProgram(const std::string& execValue) {
    auto arguments = splitArguments(unescapedString(execValue));
    if (!arguments || arguments->empty()) return std::nullopt;
    bool throughShell = arguments->size() == SHELL_START.size() + 1 &&
                        std::equal(SHELL_START.begin(), SHELL_START.end(), arguments->begin());
    return throughShell ? arguments->back() : arguments->front();
}

} // namespace linux
