#include "win32/form_window.h"

#include "win32/control_sync.h"

#include <utility>

namespace win32 {

void FormWindow::bindModel() {
    model_.viewChanged = [this] { syncWindow(); };
    model_.frontRequested = [this] {
        frontPending_ = true;
        syncWindow();
    };
    syncWindow();
}

namespace {
constexpr UINT APPLY_VISIBILITY = WM_APP + 1;
}

void FormWindow::syncWindow() {
    syncText(hwnd(), model_.caption());
    if (visibilityPending_) return;
    visibilityPending_ = true;
    PostMessageW(hwnd(), APPLY_VISIBILITY, 0, 0);
}

// A window asked to the front is restored if it was minimised and activated even
// when it was on screen already.
void FormWindow::applyVisibility() {
    bool shown = IsWindowVisible(hwnd());
    bool front = std::exchange(frontPending_, false);
    if (model_.visible() && (!shown || front)) {
        ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(hwnd());
    } else if (!model_.visible() && shown) {
        ShowWindow(hwnd(), SW_HIDE);
    }
}

std::optional<LRESULT> FormWindow::commonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == APPLY_VISIBILITY) {
        visibilityPending_ = false;
        applyVisibility();
        return 0;
    }
    if (!controls_ || !lParam) return std::nullopt;
    return controls_->message(message, wParam, lParam);
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
