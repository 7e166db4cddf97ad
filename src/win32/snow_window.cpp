#include "win32/snow_window.h"

namespace win32 {

SnowWindow::SnowWindow(app::Kalo3& form, const platform::Platform& os)
    : FormWindow(form.window), form_(form), os_(os) {
    auto screen = os.screen();
    create({L"KALO DC snow",
            form.window.caption(),
            WS_POPUP | WS_MAXIMIZE,
            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
            {0, 0, screen.widthPixels, screen.heightPixels}});
    form_.Picture1.presented = [this] { presentNow(); };
    bindModel();
}

// Shown without taking the activation; a first display reports the size.
void SnowWindow::applyVisibility() {
    bool shown = IsWindowVisible(hwnd());
    if (model_.visible() && !shown)
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    else if (!model_.visible() && shown)
        ShowWindow(hwnd(), SW_HIDE);
    if (model_.visible()) reportSize();
}

void SnowWindow::reportSize() {
    RECT client;
    GetClientRect(hwnd(), &client);
    SIZE size{client.right, client.bottom};
    if (size.cx == reported_.cx && size.cy == reported_.cy) return;
    reported_ = size;
    auto screen = os_.screen();
    model_.resized(size.cx * screen.twipsPerPixelX, size.cy * screen.twipsPerPixelY);
}

void SnowWindow::present(HDC dc) {
    const auto& surface = form_.Picture1;
    int width = surface.widthPixels(), height = surface.heightPixels();
    if (width <= 0 || height <= 0 ||
        surface.pixels().size() < std::size_t(width) * std::size_t(height))
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height),
                      surface.pixels().data(), &info, DIB_RGB_COLORS);
}

void SnowWindow::presentNow() {
    if (!IsWindowVisible(hwnd())) return;
    HDC dc = GetDC(hwnd());
    present(dc);
    ReleaseDC(hwnd(), dc);
}

LRESULT SnowWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = commonMessage(message, wParam, lParam)) return *answer;
    switch (message) {
    case WM_ERASEBKGND: // every pixel is painted from the surface
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        present(dc);
        const auto& surface = form_.Picture1;
        ExcludeClipRect(dc, 0, 0, surface.widthPixels(), surface.heightPixels());
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_SIZE:
        if (IsWindowVisible(hwnd())) reportSize();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace win32
