// JPEG files decoded by libjpeg-turbo straight into the picture's bitmap rows: the common
// wallpaper format without the generic reader's conversions and copies.
#pragma once
#include "ui/picture.h"

#include <cstddef>
#include <optional>
#include <string>

namespace linux {

// The picture in `bytes`, its rows where `place` puts them; nullptr for a JPEG that is cut
// short or would take more than `maxBytes` of pixels; nothing when the bytes are not a JPEG
// this decoder reads (CMYK, a damaged header), so a more general reader may try.
std::optional<ui::PicturePtr> decodeJpeg(const std::string& bytes, std::size_t maxBytes,
                                         const ui::PixelPlace& place);

} // namespace linux
