#pragma once
// The Linux program's platform: the services of services.h, the settings file, the
// desktop's wallpaper, and the five Qt windows, each bound to its form's models when
// the form is created.
#include "linux/autostart.h"
#include "linux/desktop_wallpaper.h"
#include "linux/file_registry.h"
#include "linux/instance_channel.h"
#include "linux/services.h"
#include "platform/form_windows.h"
#include "platform/platform.h"
#include "qt/form_window.h"
#include "qt/timer_clock.h"

#include <QElapsedTimer>

#include <memory>

namespace app {
class App;
}

namespace qt {

class TrayWindow;
class SnowWindow;

class QtPlatform : public platform::Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    void attach(app::App& program) { app_ = &program; }
    // Tells the user once what went wrong at start with the settings file or the log-on
    // entry, if anything did.
    void reportSettingsFile();
    FormWindow* windowOf(platform::FormId form) const;
    TrayWindow* tray() const;
    linux::FileRegistry& store() { return registry_; }

    platform::Registry& registry() override { return registry_; }
    const platform::CodePage& codePage() const override { return codePage_; }
    platform::Files& files() override { return files_; }
    platform::ProgramLocation location() const override { return linux::programLocation(); }
    platform::ScreenMetrics screen() const override { return linux::screenMetrics(); }

    ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) override {
        return linux::loadPicture(path, place);
    }
    void setDesktopWallpaper(const std::optional<std::string>& path,
                             const ui::PicturePtr& held) override;
    void messageBox(const std::string& text, const std::string& title, int style) override;
    std::optional<std::string> openFileDialog(const OpenFileRequest& request) override;
    std::intptr_t shellOpen(const std::string& address) override;

    void addTrayIcon(const std::string& tip) override;
    void removeTrayIcon() override;
    void setForegroundWindow(platform::FormId form) override;
    void popupTrayMenu() override;
    bool trayAvailable() override;

    void formCreated(platform::FormId form, ui::Window& window) override;
    void formUnloaded(platform::FormId form) override;
    void makeLayeredColorKeyBlack(platform::FormId) override {} // translucent from the start
    void setTopMost(platform::FormId form, bool topMost, int widthPixels,
                    int heightPixels) override;

    void watchTimer(ui::Timer& timer) override { clock_.watch(timer); }
    void unwatchTimer(ui::Timer& timer) override { clock_.unwatch(timer); }

    bool previousInstanceRunning() override;
    void askPreviousInstanceToShow() override;
    void doEvents() override;
    void endProcess() override;

  private:
    std::unique_ptr<FormWindow> createWindow(platform::FormId form);
    void hookSnowWindow(SnowWindow& snow);
    QWidget* ownerForDialogs() const;
    void showNotice(const std::string& text);
    linux::WallpaperStyle storedStyle();
    void recordWallpaper(const std::string& path);
    std::optional<std::string> recordedWallpaper();
    void explainSnowOnTop();
    void followRunValue();
    void tellAutostartFailed();
    void listenForLaterStarts();

    linux::Utf8CodePage codePage_;
    linux::PosixFiles files_;
    linux::FileRegistry registry_;
    linux::LogonEntry logonEntry_; // after the store, which it settles at start
    TimerClock clock_;
    std::unique_ptr<linux::DesktopWallpaper> wallpaper_;
    app::App* app_ = nullptr;
    platform::FormWindows<FormWindow> windows_;
    std::unique_ptr<linux::InstanceChannel> laterStarts_; // while this copy holds the lock
    QElapsedTimer sinceEvents_;                           // since events last ran in doEvents
    bool autostartFailing_ = false; // told once, until a write of the entry works again
};

} // namespace qt
