// The screen as it will look with a decoded picture as its wallpaper, made in one pass
// straight from the picture's own rows.
#pragma once

#include "linux/desktop_setters.h"

#include <QImage>

namespace linux {

// A screen of `width` x `height` 0xFFRRGGBB pixels (Format_RGB32) showing `upsideDown`, an
// image of 24-bit blue, green and red rows that lies upside down (see upsideDownImage),
// turned upright while it is read: stretched with the bilinear filter of Qt's smooth
// drawing, centred on black, or tiled from the top left. An image of another format is
// converted first; a null image or an empty screen gives a null image.
QImage screenImage(const QImage& upsideDown, int width, int height, WallpaperStyle style);

} // namespace linux
