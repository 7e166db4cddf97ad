#include "wallpaper/bmp_writer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace wallpaper {

namespace {

constexpr std::int32_t PIXELS_PER_METRE_AT_72_DPI = 2835;

// Writes little-endian values byte by byte, so the layout never depends on the host.
class ByteWriter {
  public:
    explicit ByteWriter(std::string& out) : out_(out) {}
    void u8(std::uint32_t value) { out_ += char(value & 0xFF); }
    void u16(std::uint32_t value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value);
        u16(value >> 16);
    }

  private:
    std::string& out_;
};

bool encodable(const ui::Picture& picture, std::size_t fileBytes) {
    return picture.whole() && fileBytes <= std::numeric_limits<std::uint32_t>::max();
}

void writeHeaders(ByteWriter out, const ui::Picture& picture, std::size_t imageBytes) {
    out.u8('B');
    out.u8('M');
    out.u32(std::uint32_t(BMP_HEADERS_BYTES + imageBytes));
    out.u32(0); // two reserved 16-bit fields
    out.u32(std::uint32_t(BMP_HEADERS_BYTES));
    out.u32(std::uint32_t(BMP_INFO_HEADER_BYTES));
    out.u32(std::uint32_t(picture.width));
    out.u32(std::uint32_t(picture.height)); // positive: rows stored bottom-up
    out.u16(1);                             // planes
    out.u16(24);                            // bits per pixel
    out.u32(0);                             // no compression
    out.u32(std::uint32_t(imageBytes));
    out.u32(PIXELS_PER_METRE_AT_72_DPI);
    out.u32(PIXELS_PER_METRE_AT_72_DPI);
    out.u32(0); // colours used
    out.u32(0); // important colours
}

} // namespace

std::size_t bmpRowStride(int width) {
    return ui::Picture::strideOf(width);
}

BmpPieces::BmpPieces(const ui::Picture& picture, std::size_t pieceBytes)
    : picture_(picture), pieceBytes_(pieceBytes) {
    imageBytes_ = picture.stride() * std::size_t(std::max(picture.height, 0));
    valid_ = encodable(picture, BMP_HEADERS_BYTES + imageBytes_);
}

// The headers go with the first rows; every piece holds at least one whole row.
bool BmpPieces::next(std::string& piece) {
    if (!valid_ || given_ == imageBytes_) return false;
    if (!std::exchange(headersGiven_, true)) writeHeaders(ByteWriter(piece), picture_, imageBytes_);
    const std::size_t stride = picture_.stride();
    const std::size_t room = pieceBytes_ > piece.size() ? pieceBytes_ - piece.size() : 0;
    const std::size_t rows = std::max<std::size_t>(room / stride, 1);
    const std::size_t count = std::min(rows * stride, imageBytes_ - given_);
    const auto* from = reinterpret_cast<const char*>(picture_.bytes.data()) + given_;
    piece.append(from, count);
    given_ += count;
    return true;
}

std::string encodeBmp(const ui::Picture& picture) {
    BmpPieces pieces(picture, std::size_t(-1));
    std::string bytes;
    pieces.next(bytes);
    return bytes;
}

} // namespace wallpaper
