#pragma once
// Start at log-on on a Linux desktop: the Run value of the settings store is mirrored by
// an autostart entry, $XDG_CONFIG_HOME/autostart/kalo-dc.desktop, that starts the program.
#include "settings/memory_registry.h"

namespace qt {

std::string autostartEntry(const std::string& programPath);
// The program an entry's Exec line starts; nothing when it has none.
std::optional<std::string> entryProgram(const std::string& entryText);
std::string autostartFilePath();
// Writes the entry while the store holds the Run value, removes it otherwise.
bool mirrorAutostart(const settings::MemoryRegistry& store, const std::string& programPath,
                     platform::Files& files);

} // namespace qt
