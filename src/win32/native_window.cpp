#include "win32/native_window.h"

#include "settings/errors.h"
#include "win32/services.h"

#include <set>

namespace win32 {

namespace {

void registerClass(const wchar_t* name, HICON icon, WNDPROC procedure) {
    static std::set<std::wstring> registered;
    if (registered.count(name)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.lpszClassName = name;
    if (RegisterClassExW(&wc)) registered.insert(name);
}

} // namespace

NativeWindow::~NativeWindow() {
    destroy();
}

void NativeWindow::destroy() {
    if (!hwnd_) return;
    HWND window = hwnd_;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(window);
}

void NativeWindow::create(const Design& design) {
    registerClass(design.className, design.icon, &NativeWindow::procedure);
    const RECT& b = design.bounds;
    CreateWindowExW(design.exStyle, design.className, widen(design.caption).c_str(), design.style,
                    b.left, b.top, b.right, b.bottom, design.parent, nullptr,
                    GetModuleHandleW(nullptr), this);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultHandling(message, wParam, lParam);
}

LRESULT NativeWindow::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK NativeWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return dispatch(self, message, wParam, lParam);
}

// The forms' procedures run from here. A run-time error the behaviour names ends its
// procedure at this frame; any other exception is a fault of the program and, as no
// exception may cross the window procedure, ends it here (noexcept) instead of vanishing.
LRESULT NativeWindow::dispatch(NativeWindow* self, UINT message, WPARAM wParam,
                               LPARAM lParam) noexcept {
    try {
        return self->handle(message, wParam, lParam);
    } catch (const settings::ProcedureError&) {
        return 0; // handled, and nothing done by default (a close stays cancelled)
    }
}

} // namespace win32
