#include "qt/autostart.h"

#include "qt/exec_line.h"
#include "qt/services.h"
#include "settings/registry_procs.h"

#include <filesystem>
#include <sstream>

namespace qt {

namespace {

// "Exec" of the entry's main group, its value without the blanks around '='.
std::optional<std::string> execValue(const std::string& entryText) {
    std::istringstream lines(entryText);
    bool mainGroup = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with('[')) mainGroup = line == "[Desktop Entry]";
        auto equals = line.find('=');
        if (!mainGroup || equals == std::string::npos) continue;
        if (line.substr(0, line.find_last_not_of(' ', equals - 1) + 1) != "Exec") continue;
        return line.substr(std::min(line.find_first_not_of(' ', equals + 1), line.size()));
    }
    return std::nullopt;
}

} // namespace

std::string autostartEntry(const std::string& programPath) {
    return "[Desktop Entry]\nType=Application\nName=KALO DC\n"
           "Comment=Desktop wallpaper changer\nExec=" +
           execLine(programPath) + "\nIcon=kalo-dc\nTerminal=false\n";
}

std::optional<std::string> entryProgram(const std::string& entryText) {
    auto exec = execValue(entryText);
    return exec ? execProgram(*exec) : std::nullopt;
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
