#include "win32/image_view.h"

namespace win32 {

ImageView::ImageView(ui::ImageBox& model, HWND parent, int id, RECT bounds) : model_(model) {
    create({L"KALO DC image", "", WS_CHILD | WS_VISIBLE, WS_EX_STATICEDGE, bounds, parent});
    SetWindowLongPtrW(hwnd(), GWLP_ID, id);
}

LRESULT ImageView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return defaultHandling(message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    paint(dc);
    EndPaint(hwnd(), &ps);
    return 0;
}

void ImageView::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    const auto& picture = model_.picture();
    if (picture && picture->whole())
        stretchPicture(dc, *picture, client);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void stretchPicture(HDC dc, const ui::Picture& picture, const RECT& target) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height; // rows bottom-up, padded to 4 bytes: a DIB's own
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, picture.width, picture.height, picture.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

} // namespace win32
