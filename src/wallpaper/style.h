#pragma once
// How the desktop draws its wallpaper, as its two stored values say it: "TileWallpaper"
// and "WallpaperStyle" under the desktop key. One reading serves the tray menu's marks
// and the desktops that are told the style by the Linux front end.
#include <optional>
#include <string>

namespace wallpaper {

// In the order of the tray menu's style items.
enum class Style { Centred, Tiled, Stretched };

// The style the two texts name, as Windows reads them: tiling "1" means Tiled; otherwise
// a style of "0" is Centred and "2" Stretched. Any other style (the desktop's own Fit or
// Fill, or nothing stored) is none of these.
std::optional<Style> decodeStyle(const std::string& tileWallpaper,
                                 const std::string& wallpaperStyle);

// The two texts that store a style.
struct StyleTexts {
    std::string tileWallpaper, wallpaperStyle;
};
StyleTexts encodeStyle(Style style);

} // namespace wallpaper
