#pragma once
// Writes a picture as a Windows bitmap file: 24 bits per pixel, the 14-byte file
// header and the 40-byte information header, then the picture's own bytes, which are
// already the file's rows (bottom-up, padded to 4 bytes).
#include "ui/picture.h"

#include <string>

namespace wallpaper {

constexpr std::size_t BMP_FILE_HEADER_BYTES = 14;
constexpr std::size_t BMP_INFO_HEADER_BYTES = 40;
constexpr std::size_t BMP_HEADERS_BYTES = BMP_FILE_HEADER_BYTES + BMP_INFO_HEADER_BYTES;

// Bytes of one pixel row in the file, padding included.
std::size_t bmpRowStride(int width);

// The file's bytes in pieces of about `pieceBytes` (headers, then whole rows), so a
// large picture is written without a copy of the whole file in memory. Gives no
// piece when the picture is empty, inconsistent or too large for the format's
// 32-bit sizes. The picture must outlive it.
class BmpPieces {
  public:
    explicit BmpPieces(const ui::Picture& picture, std::size_t pieceBytes = 1 << 20);
    bool valid() const { return valid_; }
    bool next(std::string& piece); // appends the next piece; false after the last

  private:
    const ui::Picture& picture_;
    std::size_t imageBytes_ = 0, pieceBytes_;
    std::size_t given_ = 0; // bytes of the rows given so far
    bool valid_ = false;
    bool headersGiven_ = false;
};

// The whole file's bytes; empty when the picture is empty, inconsistent or too large
// for the format's 32-bit sizes.
std::string encodeBmp(const ui::Picture& picture);

} // namespace wallpaper
