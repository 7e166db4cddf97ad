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

void ListMirror::sync(HWND control, const std::vector<std::string>& items) {
    if (items == shown_) return;
    bool appended =
        items.size() > shown_.size() && std::equal(shown_.begin(), shown_.end(), items.begin());
    if (!appended) return rebuild(control, items);
    for (std::size_t i = shown_.size(); i < items.size(); ++i)
        SendMessageW(control, add_, 0, LPARAM(widen(items[i]).c_str()));
    shown_ = items;
}

void ListMirror::rebuild(HWND control, const std::vector<std::string>& items) {
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control, reset_, 0, 0);
    for (const auto& item : items)
        SendMessageW(control, add_, 0, LPARAM(widen(item).c_str()));
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
    shown_ = items;
}

} // namespace win32
