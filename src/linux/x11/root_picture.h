// The root window's background on an X display, for desktops that draw none of their own.
#pragma once

#include "linux/desktop_setters.h"

class QImage;

namespace linux::x11 {

// How an image lies: a decoded picture's own bytes are upside down.
enum class Lying { Upright, UpsideDown };

// Draws the picture over the whole screen in `style` and leaves it as the root window's
// background for other programs to find; false when there is no X display.
bool setRootPicture(const QImage& picture, Lying lying, WallpaperStyle style);

} // namespace linux::x11
