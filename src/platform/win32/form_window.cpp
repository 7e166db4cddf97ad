#include "platform/win32/form_window.h"

#include "platform/win32/control_sync.h"

namespace win32 {

void FormWindow::bindModel() {
    model_.viewChanged = [this] { syncWindow(); };
    syncWindow();
}

void FormWindow::syncWindow() {
    syncText(hwnd(), model_.caption());
    bool shown = IsWindowVisible(hwnd());
    if (model_.visible() && !shown) {
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
    } else if (!model_.visible() && shown) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

// WM_COMMAND and WM_HSCROLL of the bound controls; true when one of them sent it.
bool FormWindow::controlMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!controls_ || !lParam) return false;
    if (message == WM_COMMAND) return controls_->command(LOWORD(wParam), HIWORD(wParam));
    if (message == WM_HSCROLL)
        return controls_->scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    return false;
}

POINT centredOnScreen(int width, int height) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2};
}

SIZE outerSize(int clientWidth, int clientHeight, DWORD style, bool menu) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, menu, 0);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace win32
