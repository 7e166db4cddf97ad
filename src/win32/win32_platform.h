#pragma once
// The Windows program's platform: the services of services.h and the five real
// windows, each bound to its form's models when the form is created.
#include "platform/form_windows.h"
#include "platform/platform.h"
#include "win32/form_window.h"
#include "win32/services.h"
#include "win32/timer_clock.h"

#include <chrono>
#include <functional>
#include <memory>

namespace app {
class App;
}

namespace win32 {

class TrayWindow;

// Replacements for the services that reach outside the process or end it; each one
// left empty uses the real service. Tests fill them in.
struct Seams {
    std::optional<platform::ProgramLocation> location;
    std::function<std::string(const platform::Platform::OpenFileRequest&)> openFile;
    std::function<void(const std::string& text, const std::string& title, int style)> messageBox;
    std::function<std::intptr_t(const std::string&)> shellOpen;
    std::function<bool()> previousInstance;
    std::function<void()> endProcess;
};

class Win32Platform : public platform::Platform {
  public:
    explicit Win32Platform(Seams seams = {});
    ~Win32Platform() override;

    // The program whose forms the windows show; set before the program starts.
    void attach(app::App& program) { app_ = &program; }
    // Runs the message loop until the process ends.
    int run();

    HWND windowOf(platform::FormId form) const;
    HWND controlOf(platform::FormId form, const ui::Control& control) const;
    TrayWindow* tray() const;
    const TimerClock& clock() const { return clock_; }

    platform::Registry& registry() override { return registry_; }
    const platform::CodePage& codePage() const override { return codePage_; }
    platform::Files& files() override { return files_; }
    platform::ProgramLocation location() const override;
    platform::ScreenMetrics screen() const override { return screenMetrics(); }

    ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) override {
        return win32::loadPicture(path, place);
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
    // The taskbar's notification area is always there on Windows.
    bool trayAvailable() override { return true; }

    void formCreated(platform::FormId form, ui::Window& window) override;
    void formUnloaded(platform::FormId form) override;
    void makeLayeredColorKeyBlack(platform::FormId form) override;
    void setTopMost(platform::FormId form, bool topMost, int widthPixels,
                    int heightPixels) override;

    void watchTimer(ui::Timer& timer) override { clock_.watch(timer); }
    void unwatchTimer(ui::Timer& timer) override { clock_.unwatch(timer); }

    bool previousInstanceRunning() override;
    // Nothing to ask: the running copy always has its tray icon, and so keeps its main
    // window as it is (Kalo1::answerAnotherStart), as the Windows program always has.
    void askPreviousInstanceToShow() override {}
    void doEvents() override;
    void endProcess() override;

  private:
    std::chrono::steady_clock::time_point lastEvents_{}; // when doEvents last ran
    std::unique_ptr<FormWindow> createWindow(platform::FormId form);
    HWND ownerForDialogs() const;
    bool dialogMessage(MSG& message); // true when a window's keyboard handling took it

    Seams seams_;
    Win32Registry registry_;
    Win32CodePage codePage_;
    Win32Files files_;
    TimerClock clock_;
    app::App* app_ = nullptr;
    platform::FormWindows<FormWindow> windows_;
};

} // namespace win32
