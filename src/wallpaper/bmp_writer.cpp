#include "wallpaper/bmp_writer.h"

#include <cstdint>
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

// One file row from one picture row: blue, green, red per pixel, alpha dropped.
void writeRow(ByteWriter& out, const std::uint32_t* row, int width, std::size_t padding) {
    for (int x = 0; x < width; ++x) {
        std::uint32_t argb = row[x];
        out.u8(argb);
        out.u8(argb >> 8);
        out.u8(argb >> 16);
    }
    out.zeros(padding);
}

} // namespace

std::size_t bmpRowStride(int width) {
    std::size_t rowBytes = std::size_t(width > 0 ? width : 0) * 3;
    return (rowBytes + 3) & ~std::size_t(3);
}

std::string encodeBmp(const ui::Picture& picture) {
    std::size_t stride = bmpRowStride(picture.width);
    std::size_t imageBytes = stride * std::size_t(picture.height > 0 ? picture.height : 0);
    if (!encodable(picture, BMP_HEADERS_BYTES + imageBytes)) return {};
    std::string bytes(BMP_HEADERS_BYTES + imageBytes, '\0');
    ByteWriter out(bytes.data());
    writeHeaders(out, picture, imageBytes);
    std::size_t padding = stride - std::size_t(picture.width) * 3;
    for (int y = picture.height - 1; y >= 0; --y)
        writeRow(out, picture.pixels.data() + std::size_t(y) * std::size_t(picture.width),
                 picture.width, padding);
    return bytes;
}

} // namespace wallpaper
