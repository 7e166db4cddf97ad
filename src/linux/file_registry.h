#pragma once
// The Linux program's registry: the registry's rules in memory, kept in one file of
// registry export text that is rewritten whole and atomically at every change. A file
// that cannot be read is set aside, never overwritten, and the program starts from its
// defaults. What another writer (a user with an editor) saves in between is read back
// before the next key is opened, so the program's next change keeps it.
#include "settings/memory_registry.h"

#include <functional>

namespace linux {

class FileRegistry : public settings::MemoryRegistry {
  public:
    FileRegistry(std::string path, platform::Files& files);

    // What the user should be told once about the file at start; empty when all is well.
    const std::string& startNotice() const { return notice_; }
    std::function<void()> changed; // after every change that was kept

  protected:
    bool persist() override;
    void refresh() override;

  private:
    void take(const std::string& text);
    void setAside(const std::string& text, const std::string& why);

    std::string path_;
    platform::Files& files_;
    std::string notice_;
    std::string known_;    // the file's text as last read or written here
    bool writable_ = true; // false while an unreadable file could not be set aside
};

// $XDG_CONFIG_HOME/kalo-dc/registry.reg
std::string registryFilePath();

} // namespace linux
