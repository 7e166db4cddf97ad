#include "win32/fonts.h"

#include <map>
#include <string>

namespace win32 {

namespace {

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace

int scaled(int length96) {
    static const int dpi = screenDpi();
    return MulDiv(length96, dpi, 96);
}

HFONT messageFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }();
    return font;
}

HFONT namedFont(const wchar_t* face, int points, bool bold) {
    static std::map<std::wstring, HFONT> fonts;
    std::wstring key = std::wstring(face) + L'/' + std::to_wstring(points) + (bold ? L"b" : L"");
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second;
    LOGFONTW logFont{};
    logFont.lfHeight = -MulDiv(points, screenDpi(), 72);
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, face, LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&logFont);
    fonts[key] = font;
    return font;
}

} // namespace win32
