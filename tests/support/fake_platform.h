#pragma once
// A headless platform with the real rules, for tests: the in-memory registry, a Western code
// page, files in a real temporary folder with failures that can be injected, a virtual clock
// that fires timers in order, dialogs that answer from a script, and faulty file steps.
#include "platform/file_steps.h"
#include "platform/platform.h"
#include "settings/memory_registry.h"

#include <functional>
#include <map>
#include <vector>

namespace fake {

// The registry's rules of the shipped in-memory store, with writes that can be made to fail.
struct FakeRegistry : settings::MemoryRegistry {
    void putText(const std::string& subKey, const std::string& name, const std::string& text);
    // The store's text of a string value, from the code page.
    std::optional<std::string> text(const std::string& subKey, const std::string& name) const;

    bool failWrites = false;
    bool persist() override { return !failWrites; }
};

// The Western code page, as far as the tests need it: Latin-1.
struct FakeCodePage : platform::CodePage {
    std::optional<std::string> toAnsi(const std::string& utf8) const override;
    std::string fromAnsi(const std::string& ansi) const override;
    char decimalSeparator() const override { return separator; }
    char separator = '.';
    std::string undefined; // bytes read as U+FFFD, which has no form here, as in a DBCS
};

struct FakeFiles : platform::Files {
    std::optional<std::string> read(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool writeAtomically(const std::string& path, const PieceSource& pieces,
                         platform::Durability durability) override;
    // In memory, written out through writeAtomically when committed.
    std::unique_ptr<platform::FileInPlace> makeInPlace(const std::string& path,
                                                       std::size_t size) override;
    bool folderWritable(const std::string& folder) override;
    bool ensureFolder(const std::string& folder) override;
    std::optional<std::string> shortPath(const std::string& path) override {
        return shortPaths.contains(path) ? std::optional(shortPaths.at(path)) : std::nullopt;
    }

    bool failWrites = false; // a disk that refuses every replacement, leaving the old file
    std::vector<std::string> readOnlyFolders;
    std::vector<std::string> unreadable; // files held open by another program
    std::map<std::string, std::string> shortPaths;
    int replaceCalls = 0;
    bool refuseInPlace = false;            // no room for a file made in place: a full disk
    std::vector<std::size_t> inPlaceSizes; // each file made in place, by its size
    std::vector<std::string> flushed;      // files replaced with their bytes flushed to the disk
};

struct FakePlatform : platform::Platform {
    explicit FakePlatform(std::string programFolder);

    platform::Registry& registry() override { return reg; }
    const platform::CodePage& codePage() const override { return cp; }
    platform::Files& files() override { return fs; }
    platform::ProgramLocation location() const override { return where; }
    platform::ScreenMetrics screen() const override { return metrics; }

    ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) override;
    void setDesktopWallpaper(const std::optional<std::string>& path,
                             const ui::PicturePtr& held) override;
    void messageBox(const std::string& text, const std::string& title, int style) override;
    std::optional<std::string> openFileDialog(const OpenFileRequest& request) override;
    std::intptr_t shellOpen(const std::string& address) override {
        opened.push_back(address);
        return 42;
    }
    void addTrayIcon(const std::string& tip) override { trayTip = tip; }
    void removeTrayIcon() override { trayTip.clear(); }
    void setForegroundWindow(platform::FormId form) override { foreground.push_back(form); }
    void popupTrayMenu() override {
        ++menusOpened;
        if (whileMenuOpen) whileMenuOpen();
    }
    bool trayAvailable() override { return tray; }
    void formCreated(platform::FormId form, ui::Window& window) override;
    void formUnloaded(platform::FormId form) override { windows.erase(form); }
    void makeLayeredColorKeyBlack(platform::FormId) override { ++layeredCalls; }
    void setTopMost(platform::FormId form, bool topMost, int width, int height) override;
    void watchTimer(ui::Timer& timer) override;
    void unwatchTimer(ui::Timer& timer) override;
    bool previousInstanceRunning() override { return otherInstance; }
    void askPreviousInstanceToShow() override { ++showRequests; }
    void doEvents() override { onDoEvents(); }
    void endProcess() override { ended = true; }

    // The virtual clock: runs every tick due within `ms`, earliest first (ties in
    // the order the timers were watched). A tick's own changes take effect at once.
    void advance(long ms);

    struct Box {
        std::string text, title;
        int style;
    };
    struct TopMostCall {
        bool topMost;
        int width, height;
    };

    FakeRegistry reg;
    FakeCodePage cp;
    FakeFiles fs;
    platform::ProgramLocation where;
    platform::ScreenMetrics metrics;
    bool otherInstance = false, ended = false;
    bool tray = true;     // a notification area shows the icon
    int showRequests = 0; // asks to the copy that runs already
    std::string trayTip;  // the tip of the icon shown; empty when none
    int layeredCalls = 0, decodes = 0, menusOpened = 0;
    int decodedInPlace = 0; // decodes whose rows went where the caller placed them
    std::vector<Box> boxes;
    std::vector<std::optional<std::string>> wallpaperCalls;
    // The bitmap of the decoded picture handed with each call, as KALO.bmp would hold it;
    // "" when none was handed. Bytes, not the picture, so the record keeps nothing alive.
    std::vector<std::string> wallpaperPictures;
    // The pictures decoded and not yet let go, watched without being held.
    std::vector<std::weak_ptr<const ui::Picture>> decodedPictures;
    long heldDecodedPictures() const;
    std::vector<OpenFileRequest> dialogRequests;
    std::vector<std::optional<std::string>> dialogAnswers; // "" when none left; nothing: refused
    std::vector<std::string> opened;                       // shellOpen addresses
    std::vector<platform::FormId> foreground;
    std::vector<platform::FormId> fronted; // windows brought to the front
    // Each window's visibility changes in order: + shown, - hidden.
    std::map<platform::FormId, std::string> shownHidden;
    std::vector<TopMostCall> topMostCalls;
    std::map<platform::FormId, ui::Window*> windows;
    std::function<void()> whileBoxOpen;  // runs while a message box is "on screen"
    std::function<void()> whileMenuOpen; // runs while the tray menu is open
    std::function<void()> onDoEvents = [] {};

  private:
    struct Watched {
        ui::Timer* timer;
        long due;
    };
    std::vector<Watched> timers_;
    long now_ = 0;
    Watched* nextDue(long limit);
    void fillScreen(ui::Window& window);
};

// Replaces files in `folder` through `real`, flushed and not, with each step failing in turn;
// lists what went wrong.
std::string brokenReplacements(platform::FileSteps& real, const std::string& folder);

} // namespace fake
