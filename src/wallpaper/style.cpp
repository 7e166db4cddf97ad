#include "wallpaper/style.h"

namespace wallpaper {

std::optional<Style> decodeStyle(const std::string& tileWallpaper,
                                 const std::string& wallpaperStyle) {
    if (tileWallpaper == "1") return Style::Tiled;
    if (wallpaperStyle == "0") return Style::Centred;
    if (wallpaperStyle == "2") return Style::Stretched;
    return std::nullopt;
}

StyleTexts encodeStyle(Style style) {
    switch (style) {
    case Style::Tiled:
        return {"1", "1"};
    case Style::Stretched:
        return {"0", "2"};
    case Style::Centred:
        break;
    }
    return {"0", "0"};
}

} // namespace wallpaper
