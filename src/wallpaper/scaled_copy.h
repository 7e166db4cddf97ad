#pragma once
// Small copies of a large picture, for the preview box.
#include "ui/picture.h"

namespace wallpaper {

// The picture resized to `width` x `height` (both positive): each new pixel is the average
// of up to 4 x 4 samples spread over the part of the picture it covers, so the cost
// follows the copy's size, not the picture's.
ui::Picture scaledCopy(const ui::Picture& picture, int width, int height);

} // namespace wallpaper
