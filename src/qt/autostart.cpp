#include "qt/autostart.h"

#include "qt/services.h"
#include "settings/registry_procs.h"

#include <filesystem>

namespace qt {

std::string execArgument(const std::string& programPath) {
    std::string quoted = "\"";
    for (char c : programPath) {
        // A backslash before each reserved character, then every backslash doubled again
        // for the entry's string value.
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";
        if (c == '%') quoted += '%';
        quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return quoted + '"';
}

std::string autostartEntry(const std::string& programPath) {
    return "[Desktop Entry]\nType=Application\nName=KALO DC\n"
           "Comment=Desktop wallpaper changer\nExec=" +
           execArgument(programPath) + "\nIcon=kalo-dc\nTerminal=false\n";
}

std::string autostartFilePath() {
    return xdgHome("XDG_CONFIG_HOME", ".config") + "/autostart/kalo-dc.desktop";
}

bool mirrorAutostart(const settings::MemoryRegistry& store, const std::string& programPath,
                     platform::Files& files) {
    std::string path = autostartFilePath();
    std::error_code error;
    if (!store.get(settings::RUN_KEY, "KALO DC")) {
        std::filesystem::remove(path, error);
        return !files.exists(path); // no entry is the aim, whatever stands in its way
    }
    std::string folder = std::filesystem::path(path).parent_path().string();
    return files.ensureFolder(folder) && files.replaceAtomically(path, autostartEntry(programPath));
}

} // namespace qt
