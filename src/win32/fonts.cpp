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

// Runs measure on a screen device context with the font selected.
template <typename Measure> int measured(HFONT font, Measure measure) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    int pixels = measure(screen);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return pixels;
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

int lineHeight(HFONT font) {
    return measured(font, [](HDC dc) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        return int(metrics.tmHeight);
    });
}

int textWidth(HFONT font, const std::wstring& text) {
    return measured(font, [&text](HDC dc) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        return int(size.cx);
    });
}

} // namespace win32
