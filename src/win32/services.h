#pragma once
// The Win32 services behind the platform seam that need no window of the program:
// registry, code page, files, program location, screen, pictures (WIC), wallpaper,
// message boxes, the file-open dialog, the shell and the single-instance mutex.
#include "platform/file_steps.h"
#include "platform/platform.h"

#include <windows.h>

#include <string>

struct IWICImagingFactory;

namespace win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

class Win32Registry : public platform::Registry {
  public:
    std::optional<platform::KeyHandle> createKey(std::uint32_t root,
                                                 const std::string& subKey) override;
    std::optional<platform::KeyHandle> openKey(std::uint32_t root,
                                               const std::string& subKey) override;
    bool setString(platform::KeyHandle key, const std::string& name,
                   const std::string& bytes) override;
    bool query(platform::KeyHandle key, const std::string& name, std::size_t bufferSize,
               std::uint32_t& type, std::string& data) override;
    bool deleteValue(platform::KeyHandle key, const std::string& name) override;
    void closeKey(platform::KeyHandle key) override;
};

class Win32CodePage : public platform::CodePage { // CP_ACP
  public:
    std::optional<std::string> toAnsi(const std::string& utf8) const override;
    std::string fromAnsi(const std::string& ansi) const override;
    char decimalSeparator() const override;
};

class Win32Files : public platform::Files {
  public:
    std::optional<std::string> read(const std::string& path) override;
    bool writeAtomically(const std::string& path, const PieceSource& pieces,
                         platform::Durability durability) override;
    // In memory, written out through a temporary file when committed.
    std::unique_ptr<platform::FileInPlace> makeInPlace(const std::string& path,
                                                       std::size_t size) override;
    bool exists(const std::string& path) override;
    bool folderWritable(const std::string& folder) override;
    bool ensureFolder(const std::string& folder) override;
    std::optional<std::string> shortPath(const std::string& path) override;
};

// A file's replacement with the wide calls: the temporary shares reads only, and the
// rename writes through to the disk before it returns.
class Win32FileSteps : public platform::FileSteps {
  public:
    ~Win32FileSteps() override;
    bool create(const std::string& temporary, const std::string& target) override;
    bool write(const std::string& bytes) override;
    bool flush() override;
    bool close() override;
    bool rename(const std::string& temporary, const std::string& target) override;
    bool remove(const std::string& temporary) override;

  private:
    HANDLE file_ = nullptr;
};

platform::ProgramLocation programLocation(); // GetModuleFileNameW, %LOCALAPPDATA%\KALO DC
platform::ScreenMetrics screenMetrics();     // from the display's dpi
// WIC: BMP, JPEG, GIF, PNG, TIFF; the rows where `place` puts them, else the picture's own.
ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place = nullptr);
IWICImagingFactory* imagingFactory(); // one for the process; null when WIC is missing
void setDesktopWallpaper(const std::optional<std::string>& path, const platform::CodePage& cp);
void messageBox(HWND owner, const std::string& text, const std::string& title, int style);
std::optional<std::string> openFileDialog(HWND owner,
                                          const platform::Platform::OpenFileRequest& request);
std::intptr_t shellOpen(const std::string& address);
bool previousInstanceRunning(); // holds a named mutex for the life of the process
// Creates or opens the named mutex and keeps it; true when it existed already.
bool claimInstanceMutex(const std::wstring& name);

} // namespace win32
