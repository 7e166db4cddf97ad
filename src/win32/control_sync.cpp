#include "win32/control_sync.h"

#include "win32/services.h"

#include <algorithm>

namespace win32 {

std::string windowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(std::size_t(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(std::size_t(std::max(copied, 0)));
    return narrow(text);
}

void syncText(HWND control, const std::string& text) {
    if (windowText(control) != text) SetWindowTextW(control, widen(text).c_str());
}

void syncVisibleEnabled(HWND control, const ui::Control& model) {
    if (bool(IsWindowEnabled(control)) != model.enabled()) EnableWindow(control, model.enabled());
    bool shown = GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE;
    if (shown != model.visible()) ShowWindow(control, model.visible() ? SW_SHOWNA : SW_HIDE);
}

// The model tells of each change as it is made, so more entries with the last one shown
// still in place are entries appended: only they are added. Anything else is compared whole.
void ListMirror::sync(HWND control, const std::vector<std::string>& items) {
    const bool appended = items.size() > shown_.size() &&
                          (shown_.empty() || items[shown_.size() - 1] == shown_.back());
    if (!appended) {
        if (items != shown_) rebuild(control, items);
        return;
    }
    for (std::size_t i = shown_.size(); i < items.size(); ++i) {
        SendMessageW(control, CB_ADDSTRING, 0, LPARAM(widen(items[i]).c_str()));
        shown_.push_back(items[i]);
    }
}

void ListMirror::rebuild(HWND control, const std::vector<std::string>& items) {
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items)
        SendMessageW(control, CB_ADDSTRING, 0, LPARAM(widen(item).c_str()));
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
    shown_ = items;
}

} // namespace win32
