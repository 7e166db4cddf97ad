#pragma once
// Start at log-on on a Linux desktop: the Run value of the settings store is mirrored by
// an autostart entry, $XDG_CONFIG_HOME/autostart/kalo-dc.desktop, that starts the program
// the value names.
#include "settings/memory_registry.h"

namespace linux {

std::string autostartEntry(const std::string& programPath);
// The program an entry's Exec line starts; nothing when it has none.
std::optional<std::string> entryProgram(const std::string& entryText);
std::string autostartFilePath();
// The program the store's Run value names, quoted or bare; nothing when it names none.
std::optional<std::string> runProgram(const settings::MemoryRegistry& store);

// The entry kept in step with the Run value. It is written or removed when the value
// changes, not at every change of the store, and is never removed only because the store
// has no Run value at start: a store made afresh (its file set aside, or gone) takes the
// Run value from the entry instead.
class LogonEntry {
  public:
    LogonEntry(std::string path, platform::Files& files) : path_(std::move(path)), files_(files) {}

    // At start: a store whose Run value names no program takes it from the entry there,
    // which stays as it is; while the Run value names one, an entry that is missing or
    // whose Exec line is not the one written for it is written (what other tools added to
    // a right one is kept). False when the entry could not be written.
    bool settle(settings::MemoryRegistry& store);
    // After a change of the store: writes or removes the entry if the Run value changed
    // since it was last followed (or could not be followed). False when that failed.
    bool follow(const settings::MemoryRegistry& store);
    const std::string& path() const { return path_; }

  private:
    std::optional<std::string> adopt(settings::MemoryRegistry& store);
    bool write(const std::string& program);
    bool remove();
    bool remember(const std::optional<std::string>& program); // as followed; true

    std::string path_;
    platform::Files& files_;
    bool followed_ = false;              // the entry is known to stand for `program_`
    std::optional<std::string> program_; // what the Run value named when last followed
};

} // namespace linux
