#pragma once
// Writes a picture as a Windows bitmap file: 24 bits per pixel, the 14-byte file
// header and the 40-byte information header, then the picture's own bytes, which are
// already the file's rows (bottom-up, padded to 4 bytes).
#include "ui/picture.h"

#include <cstdint>
#include <string>

namespace wallpaper {

constexpr std::size_t BMP_FILE_HEADER_BYTES = 14;
constexpr std::size_t BMP_INFO_HEADER_BYTES = 40;
constexpr std::size_t BMP_HEADERS_BYTES = BMP_FILE_HEADER_BYTES + BMP_INFO_HEADER_BYTES;

// Bytes of one pixel row in the file, padding included.
std::size_t bmpRowStride(int width);

// Bytes of the whole file of a picture of that size; 0 when a side is not positive or the
// file would be too large for the format's 32-bit sizes.
std::size_t bmpFileBytes(int width, int height);
// The file's two headers, BMP_HEADERS_BYTES of them, at `at`; the rows follow them.
void writeBmpHeaders(std::uint8_t* at, int width, int height);

// The whole file's bytes; empty when the picture is empty, inconsistent or too large
// for the format's 32-bit sizes.
std::string encodeBmp(const ui::Picture& picture);

} // namespace wallpaper
