#include "win32/tray_window.h"

#include "win32/program_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace win32 {

TrayWindow::TrayWindow(app::Kalo1& form, platform::Platform& os)
    : FormWindow(form.window), form_(form), os_(os),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    using namespace tray_ids;
    menu_ = {{&form.showmenu, SHOW_MENU, {}},
             {&form.kalowallpapersstyle,
              0,
              {{&form.kalomenu[0], CENTERED, {}},
               {&form.kalomenu[1], TILED, {}},
               {&form.kalomenu[2], STRETCHED, {}}}},
             {&form.starupprogram, RUN_ON_STARTUP, {}},
             {&form.exit, EXIT, {}}};
    create({L"KALO DC tray",
            form.window.caption(),
            WS_OVERLAPPEDWINDOW,
            0,
            {0, 0, 200, 100},
            nullptr,
            programIcon(false)});
}

TrayWindow::~TrayWindow() {
    removeIcon();
}

// The record in its first layout, as the tray has understood it from the start.
bool TrayWindow::notify(DWORD action) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwnd();
    data.uID = TRAY_ICON_ID;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    data.hIcon = programIcon(true);
    std::memset(data.szTip, ' ', sizeof data.szTip);
    std::size_t length = std::min(tip_.size(), sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip_.data(), length);
    data.szTip[length] = '\0';
    return Shell_NotifyIconA(action, &data);
}

void TrayWindow::addIcon(const std::string& tip) {
    tip_ = tip;
    notify(NIM_ADD);
    iconAdded_ = true;
}

void TrayWindow::removeIcon() {
    if (!iconAdded_) return;
    notify(NIM_DELETE);
    iconAdded_ = false;
}

// Returns when the menu has closed and the chosen item's procedure has run.
void TrayWindow::popupMenu() {
    POINT at{};
    GetCursorPos(&at);
    openMenu_ = buildPopupMenu(menu_);
    int chosen =
        TrackPopupMenu(openMenu_, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr);
    DestroyMenu(openMenu_);
    openMenu_ = nullptr;
    PostMessageW(hwnd(), WM_NULL, 0, 0); // lets the menu close properly when focus leaves it
    if (chosen) clickMenuCommand(menu_, chosen);
}

LRESULT TrayWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TRAY_CALLBACK_MESSAGE) {
        form_.Form_MouseMove(LOWORD(lParam) * os_.screen().twipsPerPixelX);
        return 0;
    }
    if (message == WM_COMMAND && clickMenuCommand(menu_, LOWORD(wParam))) return 0;
    if (message == taskbarCreated_ && iconAdded_) notify(NIM_ADD); // the taskbar restarted
    if (message == WM_CLOSE) return 0;                             // only Exit ends the program
    return defaultHandling(message, wParam, lParam);
}

} // namespace win32
