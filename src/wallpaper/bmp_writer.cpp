#include "wallpaper/bmp_writer.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace wallpaper {

namespace {

constexpr std::int32_t PIXELS_PER_METRE_AT_72_DPI = 2835;

// Writes little-endian values byte by byte, so the layout never depends on the host.
class ByteWriter {
  public:
    explicit ByteWriter(char* at) : at_(at) {}
    void u8(std::uint32_t value) { *at_++ = char(value & 0xFF); }
    void u16(std::uint32_t value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value);
        u16(value >> 16);
    }
    void zeros(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            u8(0);
    }
    char* position() const { return at_; }

  private:
    char* at_;
};

bool encodable(const ui::Picture& picture, std::size_t fileBytes) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    std::size_t pixelCount = std::size_t(picture.width) * std::size_t(picture.height);
    return picture.pixels.size() >= pixelCount &&
           fileBytes <= std::numeric_limits<std::uint32_t>::max();
}

void writeHeaders(ByteWriter& out, const ui::Picture& picture, std::size_t imageBytes) {
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

static_assert(std::endian::native == std::endian::little, "pixel words are stored as they lie");

// One file row from one picture row: blue, green, red per pixel, alpha dropped.
// Each pixel is stored as a 4-byte word that the next pixel overwrites in part, so the
// loop does one store per pixel; the row's last pixel takes its three bytes alone.
void writeRow(ByteWriter& out, const std::uint32_t* row, int width, std::size_t padding) {
    char* at = out.position();
    for (int x = 0; x + 1 < width; ++x, at += 3)
        std::memcpy(at, &row[x], 4);
    ByteWriter last(at);
    std::uint32_t argb = row[width - 1];
    last.u8(argb);
    last.u8(argb >> 8);
    last.u8(argb >> 16);
    last.zeros(padding);
    out = last;
}

} // namespace

std::size_t bmpRowStride(int width) {
    std::size_t rowBytes = std::size_t(width > 0 ? width : 0) * 3;
    return (rowBytes + 3) & ~std::size_t(3);
}

BmpPieces::BmpPieces(const ui::Picture& picture, std::size_t pieceBytes)
    : picture_(picture), stride_(bmpRowStride(picture.width)), pieceBytes_(pieceBytes),
      nextRow_(picture.height - 1) {
    imageBytes_ = stride_ * std::size_t(picture.height > 0 ? picture.height : 0);
    valid_ = encodable(picture, BMP_HEADERS_BYTES + imageBytes_);
}

// Appends `count` bytes to `piece` and returns where they start.
static char* grow(std::string& piece, std::size_t count) {
    std::size_t at = piece.size();
    piece.resize(at + count);
    return piece.data() + at;
}

bool BmpPieces::next(std::string& piece) {
    if (!valid_ || nextRow_ < 0) return false;
    if (!headersGiven_) {
        ByteWriter out(grow(piece, BMP_HEADERS_BYTES));
        writeHeaders(out, picture_, imageBytes_);
        headersGiven_ = true;
    }
    std::size_t padding = stride_ - std::size_t(picture_.width) * 3;
    do {
        ByteWriter out(grow(piece, stride_));
        writeRow(out, picture_.pixels.data() + std::size_t(nextRow_) * std::size_t(picture_.width),
                 picture_.width, padding);
    } while (--nextRow_ >= 0 && piece.size() + stride_ <= pieceBytes_);
    return true;
}

std::string encodeBmp(const ui::Picture& picture) {
    BmpPieces pieces(picture, std::size_t(-1));
    std::string bytes;
    pieces.next(bytes);
    return bytes;
}

} // namespace wallpaper
