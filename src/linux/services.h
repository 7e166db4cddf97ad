#pragma once
// The Linux program's services behind the seam: text in the locale's UTF-8, files,
// where the program and its data live, the screen, pictures, the single-instance lock.
#include "platform/file_steps.h"
#include "platform/platform.h"

#include <QString>

namespace linux {

inline QString qs(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// The code page of a Linux desktop is UTF-8: text passes unchanged, and only text that
// is not valid UTF-8 has no representation.
class Utf8CodePage : public platform::CodePage {
  public:
    std::optional<std::string> toAnsi(const std::string& utf8) const override;
    std::string fromAnsi(const std::string& ansi) const override { return ansi; }
    char decimalSeparator() const override;
};

class PosixFiles : public platform::Files {
  public:
    std::optional<std::string> read(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool writeAtomically(const std::string& path, const PieceSource& pieces,
                         platform::Durability durability) override;
    std::unique_ptr<platform::FileInPlace> makeInPlace(const std::string& path,
                                                       std::size_t size) override;
    // A folder the program may keep its files in: writable, and not part of a system
    // installation under /usr, which keeps per-user files elsewhere even for root.
    bool folderWritable(const std::string& folder) override;
    bool ensureFolder(const std::string& folder) override;
    std::optional<std::string> shortPath(const std::string&) override { return std::nullopt; }
};

// A file's replacement with the POSIX calls: written, synced, closed and renamed over
// the old file, whose folder is synced after.
class PosixFileSteps : public platform::FileSteps {
  public:
    // What the temporary is opened for: a file whose pages are mapped for writing must be
    // readable too.
    enum class Access { Write, ReadWrite };
    explicit PosixFileSteps(Access access = Access::Write) : access_(access) {}
    ~PosixFileSteps() override;
    bool create(const std::string& temporary, const std::string& target) override;
    bool write(const std::string& bytes) override;
    bool flush() override;
    bool close() override;
    bool rename(const std::string& temporary, const std::string& target) override;
    void syncFolderOf(const std::string& target) override;
    bool remove(const std::string& temporary) override;
    int descriptor() const { return file_; } // the temporary's, while it is open

  private:
    Access access_;
    int file_ = -1;
};

bool validUtf8(const std::string& text);
// $XDG_<name>_HOME, or the fallback under the home folder.
std::string xdgHome(const char* variable, const char* fallbackUnderHome);
platform::ProgramLocation programLocation();
platform::ScreenMetrics screenMetrics();
// A decoded picture, or nothing for a file that is not one (or one too large to hold).
ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place = nullptr);
// Takes the per-user lock for the program's lifetime; true when another instance holds it.
bool previousInstanceRunning();
// Where the copy holding the lock listens for later starts: beside the lock.
std::string instanceSocketPath();

} // namespace linux
