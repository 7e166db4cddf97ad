#include "linux/file_registry.h"

#include "linux/services.h"
#include "settings/reg_text.h"

#include <QDateTime>

#include <filesystem>

namespace linux {

namespace fs = std::filesystem;

std::string registryFilePath() {
    return xdgHome("XDG_CONFIG_HOME", ".config") + "/kalo-dc/registry.reg";
}

FileRegistry::FileRegistry(std::string path, platform::Files& files)
    : path_(std::move(path)), files_(files) {
    if (auto text = files_.read(path_)) take(*text); // else no file yet: the defaults
}

void FileRegistry::refresh() {
    auto text = files_.read(path_);
    if (text && *text != known_) take(*text);
}

// The keys of the file's text replace those in memory; a text that is no registry export
// is set aside and the keys in memory stay.
void FileRegistry::take(const std::string& text) {
    known_ = text;
    settings::RegTextError error{0, ""};
    if (auto keys = settings::readRegText(text, &error)) {
        writable_ = true;
        return replaceAll(std::move(*keys));
    }
    setAside(text, "line " + std::to_string(error.line) + ": " + error.reason);
}

// The unreadable text is copied whole beside the file before anything may replace it.
void FileRegistry::setAside(const std::string& text, const std::string& why) {
    std::string kept =
        path_ + ".unreadable-" + utf8(QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss"));
    writable_ = files_.replaceAtomically(kept, text);
    notice_ = "The settings file " + path_ + " could not be read (" + why + "). ";
    notice_ += writable_ ? "A copy was kept as " + kept + ", and KALO DC starts with its defaults."
                         : "No copy could be kept, so this run leaves it as it is and starts "
                           "with the defaults.";
}

bool FileRegistry::persist() {
    if (!writable_ || !files_.ensureFolder(fs::path(path_).parent_path().string())) return false;
    std::string text = settings::writeRegText(keys());
    if (!files_.replaceAtomically(path_, text)) return false;
    known_ = std::move(text);
    if (changed) changed();
    return true;
}

} // namespace linux
