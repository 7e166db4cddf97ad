#include "win32/win32_platform.h"

#include "app/app.h"
#include "app/kalo1.h"
#include "app/kalo2.h"
#include "app/kalo3.h"
#include "app/kalo4.h"
#include "app/kaloload.h"
#include "win32/about_window.h"
#include "win32/main_window.h"
#include "win32/notice_window.h"
#include "win32/snow_window.h"
#include "win32/tray_window.h"

namespace win32 {

using platform::FormId;

Win32Platform::Win32Platform(Seams seams) : seams_(std::move(seams)) {}

// Windows go before the clock and the services they use.
Win32Platform::~Win32Platform() {
    windows_.clear();
}

int Win32Platform::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// The keyboard of the windows with controls: Tab between them, and in the about box
// Enter for its default button and Esc to close it.
bool Win32Platform::dialogMessage(MSG& message) {
    for (FormId form : {FormId::KALO2, FormId::KALO4}) {
        HWND window = windowOf(form);
        if (window && IsDialogMessageW(window, &message)) return true;
    }
    return false;
}

HWND Win32Platform::windowOf(FormId form) const {
    FormWindow* window = windows_.of(form);
    return window ? window->hwnd() : nullptr;
}

HWND Win32Platform::controlOf(FormId form, const ui::Control& control) const {
    FormWindow* window = windows_.of(form);
    return window ? window->controlHandle(control) : nullptr;
}

TrayWindow* Win32Platform::tray() const {
    return static_cast<TrayWindow*>(windows_.of(FormId::KALO1));
}

platform::ProgramLocation Win32Platform::location() const {
    return seams_.location ? *seams_.location : programLocation();
}

// Windows reads the file itself.
void Win32Platform::setDesktopWallpaper(const std::optional<std::string>& path,
                                        const ui::PicturePtr&) {
    win32::setDesktopWallpaper(path, codePage_);
}

HWND Win32Platform::ownerForDialogs() const {
    FormWindow* main =
        windows_.ownerForDialogs([](FormWindow& window) { return IsWindowVisible(window.hwnd()); });
    return main ? main->hwnd() : nullptr;
}

void Win32Platform::messageBox(const std::string& text, const std::string& title, int style) {
    if (seams_.messageBox) return seams_.messageBox(text, title, style);
    win32::messageBox(ownerForDialogs(), text, title, style);
}

std::optional<std::string> Win32Platform::openFileDialog(const OpenFileRequest& request) {
    if (seams_.openFile) return seams_.openFile(request);
    return win32::openFileDialog(ownerForDialogs(), request);
}

std::intptr_t Win32Platform::shellOpen(const std::string& address) {
    return seams_.shellOpen ? seams_.shellOpen(address) : win32::shellOpen(address);
}

void Win32Platform::addTrayIcon(const std::string& tip) {
    if (TrayWindow* icon = tray()) icon->addIcon(tip);
}

void Win32Platform::removeTrayIcon() {
    if (TrayWindow* icon = tray()) icon->removeIcon();
}

void Win32Platform::setForegroundWindow(FormId form) {
    if (HWND window = windowOf(form)) SetForegroundWindow(window);
}

void Win32Platform::popupTrayMenu() {
    if (TrayWindow* icon = tray()) icon->popupMenu();
}

// No handler of an unloaded window runs while a form loads.
void Win32Platform::formCreated(FormId form, ui::Window&) {
    windows_.sweep();
    if (app_) windows_.add(form, createWindow(form));
}

std::unique_ptr<FormWindow> Win32Platform::createWindow(FormId form) {
    switch (form) {
    case FormId::KALO1:
        return std::make_unique<TrayWindow>(app_->kalo1(), *this);
    case FormId::KALO2:
        return std::make_unique<MainWindow>(app_->kalo2());
    case FormId::KALO3:
        return std::make_unique<SnowWindow>(app_->kalo3(), *this);
    case FormId::KALO4:
        return std::make_unique<AboutWindow>(app_->kalo4(), [this] { app_->unloadKalo4(); });
    case FormId::KALOload:
        return std::make_unique<NoticeWindow>(app_->kaloLoad());
    }
    return nullptr;
}

// The window goes at once; its object waits, since its own handler may be running.
void Win32Platform::formUnloaded(FormId form) {
    if (FormWindow* window = windows_.unload(form)) window->destroy();
}

// Layered with black as the colour key, keeping the window off the taskbar and
// never activated.
void Win32Platform::makeLayeredColorKeyBlack(FormId form) {
    HWND window = windowOf(form);
    if (!window) return;
    LONG kept = GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    SetWindowLongA(window, GWL_EXSTYLE, LONG(WS_EX_LAYERED) | kept);
    SetLayeredWindowAttributes(window, RGB(0, 0, 0), 0, LWA_COLORKEY);
}

void Win32Platform::setTopMost(FormId form, bool topMost, int widthPixels, int heightPixels) {
    FormWindow* window = windows_.of(form);
    if (!window) return;
    SetWindowPos(window->hwnd(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, widthPixels,
                 heightPixels, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    window->model().setVisible(true); // the call shows the window
}

bool Win32Platform::previousInstanceRunning() {
    return seams_.previousInstance ? seams_.previousInstance() : win32::previousInstanceRunning();
}

// Pending messages run at most every EVENT_YIELD_MS: a loop that yields for each of
// 100,000 list entries would otherwise spend its time asking for messages.
void Win32Platform::doEvents() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastEvents_ < std::chrono::milliseconds(platform::EVENT_YIELD_MS)) return;
    lastEvents_ = now;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            return;
        }
        if (dialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Platform::endProcess() {
    if (seams_.endProcess) return seams_.endProcess();
    ExitProcess(0);
}

} // namespace win32
