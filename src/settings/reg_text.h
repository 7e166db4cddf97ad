#pragma once
// The text of a registry export ("Windows Registry Editor Version 5.00"), as the Linux
// program keeps its settings: [HKEY_CURRENT_USER\...] sections, "name"="text" with
// backslash escapes for \ and ", dword:xxxxxxxx, and hex(type):.. for anything a plain
// text cannot carry. Texts are UTF-8; CR LF or LF ends a line.
#include "settings/memory_registry.h"

#include <optional>
#include <string>

namespace settings {

// What a text that is no registry export was refused for: its line, from 1.
struct RegTextError {
    int line;
    std::string reason;
};

std::string writeRegText(const MemoryRegistry::Keys& keys);
// The keys of the text, or why not; nothing is half read.
std::optional<MemoryRegistry::Keys> readRegText(const std::string& text,
                                                RegTextError* error = nullptr);

} // namespace settings
