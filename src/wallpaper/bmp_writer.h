#pragma once
// Writes a picture as a Windows bitmap file: 24 bits per pixel, the 14-byte file
// header and the 40-byte information header, rows bottom-up and padded to 4 bytes.
#include "ui/picture.h"

#include <string>

namespace wallpaper {

constexpr std::size_t BMP_FILE_HEADER_BYTES = 14;
constexpr std::size_t BMP_INFO_HEADER_BYTES = 40;
constexpr std::size_t BMP_HEADERS_BYTES = BMP_FILE_HEADER_BYTES + BMP_INFO_HEADER_BYTES;

// Bytes of one pixel row in the file, padding included.
std::size_t bmpRowStride(int width);

// The whole file's bytes; empty when the picture is empty, inconsistent or too large
// for the format's 32-bit sizes.
std::string encodeBmp(const ui::Picture& picture);

} // namespace wallpaper
