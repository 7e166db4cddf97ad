#pragma once
// The one seam between the portable core and an operating system. The core calls
// only these services; the front ends (src/win32, src/qt) implement them, and the
// tests drive a headless double (tests/support).
#include "ui/controls.h"
#include "ui/picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// Registry roots and value types, with the numbers the Windows registry uses.
constexpr std::uint32_t HKEY_CURRENT_USER_ROOT = 0x80000001u;
constexpr std::uint32_t KEY_ALL_ACCESS_MASK = 0xF003Fu;
enum RegType : std::uint32_t { REG_NONE_T = 0, REG_SZ_T = 1, REG_EXPAND_SZ_T = 2, REG_DWORD_T = 4 };

using KeyHandle = std::uintptr_t;

// Message box styles: one OK button with an icon.
enum MessageStyle : int { MB_CRITICAL = 16, MB_EXCLAMATION = 48 };

// The mouse messages a click on the tray icon reaches the tray window with, as Windows
// numbers them: WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONUP.
enum TrayMouseCode : int {
    TRAY_LEFT_UP = 514,
    TRAY_LEFT_DOUBLE_CLICK = 515,
    TRAY_RIGHT_UP = 517,
    TRAY_MIDDLE_UP = 520
};

// A loop that yields for each of many items (100,000 list entries) lets pending events
// run at most this often: asking for them costs a round trip to the server under Wine,
// and more than an empty queue's look under Qt, while the window answers just as well.
constexpr int EVENT_YIELD_MS = 20;

// The windows of the program, for the services that act on one of them.
enum class FormId { KALO1, KALO2, KALO3, KALO4, KALOload };

// The raw registry operations, with the Windows calls' meaning. Text crosses this
// edge as bytes in the system code page; the core converts.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual std::optional<KeyHandle> createKey(std::uint32_t root, const std::string& subKey) = 0;
    virtual std::optional<KeyHandle> openKey(std::uint32_t root, const std::string& subKey) = 0;
    // Stores REG_SZ data: exactly `bytes`, which end with the text's terminating zero.
    virtual bool setString(KeyHandle key, const std::string& name, const std::string& bytes) = 0;
    // Removes a value; false when it could not be removed (also when it is missing).
    virtual bool deleteValue(KeyHandle key, const std::string& name) = 0;
    // Reads a value into a buffer of `bufferSize` bytes; fails when it is missing or
    // does not fit. `data` receives the bytes stored, `type` the value's type.
    virtual bool query(KeyHandle key, const std::string& name, std::size_t bufferSize,
                       std::uint32_t& type, std::string& data) = 0;
    virtual void closeKey(KeyHandle key) = 0;
};

// Conversion between the core's UTF-8 and the system's ANSI code page.
class CodePage {
  public:
    virtual ~CodePage() = default;
    // Empty when a character has no representation in the code page.
    virtual std::optional<std::string> toAnsi(const std::string& utf8) const = 0;
    virtual std::string fromAnsi(const std::string& ansi) const = 0;
    // The user's decimal separator for numbers typed in the interval box.
    virtual char decimalSeparator() const = 0;
};

// How a replacement treats the disk. A file of record waits until its bytes, and then its
// new name, are on the disk; a file derived from others and rewritten often does not wait,
// so after a power cut it may have to be made anew.
enum class Durability { Flushed, Unflushed };

// A file being made in place: a temporary file of its whole size beside the file it is to
// replace, its bytes open in memory for writing. Dropped before it is committed, the
// temporary goes and the old file stays as it was.
class FileInPlace {
  public:
    virtual ~FileInPlace() = default;
    virtual std::uint8_t* bytes() = 0;
    // Renames it over the old file without waiting for the disk: for a file derived from
    // others. Its bytes stay readable until it is dropped.
    virtual bool commit() = 0;
};

// Files: whole-file reads and atomic replacement.
class Files {
  public:
    virtual ~Files() = default;
    virtual std::optional<std::string> read(const std::string& path) = 0;
    // Something stands at `path`: a file a read failed on is there but unreadable.
    virtual bool exists(const std::string& path) = 0;
    // Gives the next piece of a file's bytes in `piece` (empty on the call); false once
    // the last piece has been given. Lets large files be written without holding them.
    using PieceSource = std::function<bool(std::string& piece)>;

    // Writes a temporary file beside `path` from the pieces, flushes it when asked and
    // renames it over `path`. On failure the old file is left as it was, and no temporary.
    virtual bool writeAtomically(const std::string& path, const PieceSource& pieces,
                                 Durability durability) = 0;
    // A file of record, flushed.
    bool replaceAtomically(const std::string& path, const std::string& bytes);
    // A file of `size` bytes to be made in place of `path`; null when it cannot be made
    // (a folder that cannot be written, a full disk), with nothing left behind.
    virtual std::unique_ptr<FileInPlace> makeInPlace(const std::string& path, std::size_t size) = 0;
    virtual bool folderWritable(const std::string& folder) = 0;
    virtual bool ensureFolder(const std::string& folder) = 0;
    // The short (8.3) form of a path where the file system has one, else empty.
    virtual std::optional<std::string> shortPath(const std::string& path) = 0;
};

// Where the program lives and which file name it runs under.
struct ProgramLocation {
    std::string folder;         // no trailing separator except at a drive root
    std::string executableName; // file name without extension
    std::string userDataFolder; // per-user data folder for an unwritable program folder
    char separator = '\\';      // joins file names to a folder
    std::string executableExtension = ".exe";
};

// The screen: size in pixels and the twips-per-pixel factors.
struct ScreenMetrics {
    int widthPixels = 1920;
    int heightPixels = 1080;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// Everything else the behaviour asks of the operating system.
class Platform {
  public:
    virtual ~Platform() = default;

    virtual Registry& registry() = 0;
    virtual const CodePage& codePage() const = 0;
    virtual Files& files() = 0;
    virtual ProgramLocation location() const = 0;
    virtual ScreenMetrics screen() const = 0;

    // Pictures: decode a file, or nothing when it cannot be loaded. The rows go where
    // `place` puts them when it gives memory (the picture then borrows it), else into the
    // picture's own.
    virtual ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) = 0;
    // SPI_SETDESKWALLPAPER with SPIF_UPDATEINIFILE; no path re-applies the recorded one.
    // `held` is the file's picture when the caller has it decoded (else null), so a
    // desktop the program paints itself need not read the file back.
    virtual void setDesktopWallpaper(const std::optional<std::string>& path,
                                     const ui::PicturePtr& held) = 0;

    // Modal dialogs. messageBox returns when the user pressed OK.
    virtual void messageBox(const std::string& text, const std::string& title, int style) = 0;
    struct OpenFileRequest {
        std::string title, filter, initialLocation;
        int flags = 0;
    };
    // The file chosen; "" when cancelled, nothing when the dialog refused the request (an
    // initial name it cannot take) and never opened.
    virtual std::optional<std::string> openFileDialog(const OpenFileRequest& request) = 0;
    virtual std::intptr_t shellOpen(const std::string& address) = 0;

    // Tray icon (NIM_ADD / NIM_DELETE) and the tray window's pop-up menu.
    virtual void addTrayIcon(const std::string& tip) = 0;
    virtual void removeTrayIcon() = 0;
    virtual void setForegroundWindow(FormId form) = 0;
    virtual void popupTrayMenu() = 0; // returns after the menu closed and its action ran
    // Whether a notification area can show the icon now; without one the main window is the
    // program's only way in.
    virtual bool trayAvailable() = 0;

    // Windows: the platform binds each form's models when the form is created.
    virtual void formCreated(FormId form, ui::Window& window) = 0;
    virtual void formUnloaded(FormId form) = 0;
    virtual void makeLayeredColorKeyBlack(FormId form) = 0;
    // SetWindowPos(topmost or not-topmost, 0, 0, width, height, NOACTIVATE|SHOWWINDOW).
    virtual void setTopMost(FormId form, bool topMost, int widthPixels, int heightPixels) = 0;

    virtual void watchTimer(ui::Timer& timer) = 0;   // keep it firing while enabled
    virtual void unwatchTimer(ui::Timer& timer) = 0; // before the timer is destroyed

    virtual bool previousInstanceRunning() = 0;
    // Asks the copy that runs already to show its main window, which it does when it has no
    // tray (App::kalo1().answerAnotherStart()). Returns at once, reached or not.
    virtual void askPreviousInstanceToShow() = 0;
    virtual void doEvents() = 0;   // let pending events run, then return
    virtual void endProcess() = 0; // terminate at once
};

inline bool Files::replaceAtomically(const std::string& path, const std::string& bytes) {
    bool given = false;
    auto whole = [&](std::string& piece) {
        if (given) return false;
        piece = bytes;
        return given = true;
    };
    return writeAtomically(path, whole, Durability::Flushed);
}

} // namespace platform
