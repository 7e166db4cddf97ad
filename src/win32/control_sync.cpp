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
// still in place are entries appended: only they are added, in time independent of the
// list's length, which keeps loading a long list linear. Anything else is compared whole.
void ListMirror::sync(HWND control, const std::vector<std::string>& items) {
    const bool appended = items.size() > shown_.size() &&
                          (shown_.empty() || items[shown_.size() - 1] == shown_.back());
    if (!appended) {
        if (items != shown_) rebuild(control, items);
        return;
    }
    reserve(control, items.size());
    holdDrawing(control);
    for (std::size_t i = shown_.size(); i < items.size(); ++i) {
        SendMessageW(control, CB_ADDSTRING, 0, LPARAM(widen(items[i]).c_str()));
        shown_.push_back(items[i]);
    }
}

// Drawing stops while entries stream in and resumes when the program next waits for
// messages, so the list is drawn once rather than after each append.
void ListMirror::holdDrawing(HWND control) {
    if (drawingHeld_) return;
    drawingHeld_ = true;
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SetTimer(control, reinterpret_cast<UINT_PTR>(this), 0, resumeDrawing);
}

void CALLBACK ListMirror::resumeDrawing(HWND control, UINT, UINT_PTR mirror, DWORD) {
    KillTimer(control, mirror);
    reinterpret_cast<ListMirror*>(mirror)->drawingHeld_ = false;
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

// The control grows its table a few entries at a time, copying it each time; room made
// ahead, doubling, keeps a long list's appends linear.
void ListMirror::reserve(HWND control, std::size_t count) {
    if (count <= reserved_) return;
    const std::size_t more = std::max<std::size_t>(count, 64);
    SendMessageW(control, CB_INITSTORAGE, WPARAM(more), LPARAM(more * 64));
    reserved_ += more;
}

void ListMirror::rebuild(HWND control, const std::vector<std::string>& items) {
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SendMessageW(control, CB_RESETCONTENT, 0, 0);
    reserved_ = 0;
    reserve(control, items.size());
    for (const auto& item : items)
        SendMessageW(control, CB_ADDSTRING, 0, LPARAM(widen(item).c_str()));
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
    shown_ = items;
}

} // namespace win32
