#include "linux/autostart.h"

#include "app/kalo1.h"
#include "linux/exec_line.h"
#include "linux/services.h"
#include "settings/registry_procs.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace linux {

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

std::optional<std::string> programNamed(std::string text) {
    if (text.starts_with('"')) text = text.substr(1, text.find('"', 1) - 1);
    if (text.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    return text;
}

// The value is kept in the settings file when it can be; else it holds for this run.
void storeRunValue(settings::MemoryRegistry& store, const std::string& text) {
    const std::string bytes = text + '\0';
    auto key = store.createKey(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY);
    bool kept = key && store.setString(*key, settings::RUN_VALUE, bytes);
    if (key) store.closeKey(*key);
    if (!kept) store.put(settings::RUN_KEY, settings::RUN_VALUE, {platform::REG_SZ_T, bytes});
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

std::optional<std::string> runProgram(const settings::MemoryRegistry& store) {
    auto text = store.text(settings::RUN_KEY, settings::RUN_VALUE);
    return text ? programNamed(*text) : std::nullopt;
}

bool LogonEntry::settle(settings::MemoryRegistry& store) {
    auto program = runProgram(store);
    if (!program) return remember(adopt(store)); // the entry stays as it is
    auto text = files_.read(path_);
    if (text && execValue(*text) == execLine(*program)) return remember(program);
    return follow(store);
}

bool LogonEntry::follow(const settings::MemoryRegistry& store) {
    auto program = runProgram(store);
    if (followed_ && program == program_) return true;
    return (program ? write(*program) : remove()) && remember(program);
}

bool LogonEntry::remember(const std::optional<std::string>& program) {
    followed_ = true;
    program_ = program;
    return true;
}

std::optional<std::string> LogonEntry::adopt(settings::MemoryRegistry& store) {
    auto text = files_.read(path_);
    auto program = text ? entryProgram(*text) : std::nullopt;
    if (program) storeRunValue(store, app::Kalo1::runCommandLine(*program));
    return program;
}

bool LogonEntry::write(const std::string& program) {
    std::string folder = std::filesystem::path(path_).parent_path().string();
    return files_.ensureFolder(folder) && files_.replaceAtomically(path_, autostartEntry(program));
}

// No entry is the aim, whatever stands in its way (a file where its folder goes).
bool LogonEntry::remove() {
    std::error_code error;
    std::filesystem::remove(path_, error);
    return !files_.exists(path_);
}

} // namespace linux
