#pragma once
// Start at log-on on a Linux desktop: the Run value of the settings store is mirrored by
// an autostart entry, $XDG_CONFIG_HOME/autostart/kalo-dc.desktop, that starts the program.
#include "settings/memory_registry.h"

namespace qt {

// The program's path as one argument of an Exec line: in double quotes, with the
// characters the Desktop Entry format reserves escaped.
std::string execArgument(const std::string& programPath);
std::string autostartEntry(const std::string& programPath);
std::string autostartFilePath();
// Writes the entry while the store holds the Run value, removes it otherwise.
bool mirrorAutostart(const settings::MemoryRegistry& store, const std::string& programPath,
                     platform::Files& files);

} // namespace qt
