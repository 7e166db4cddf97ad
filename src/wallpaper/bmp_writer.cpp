#include "wallpaper/bmp_writer.h"

#include <algorithm>
#include <limits>

namespace wallpaper {

namespace {

constexpr std::int32_t PIXELS_PER_METRE_AT_72_DPI = 2835;

// Writes little-endian values byte by byte, so the layout never depends on the host.
class ByteWriter {
  public:
    explicit ByteWriter(std::uint8_t* at) : at_(at) {}
    void u8(std::uint32_t value) { *at_++ = std::uint8_t(value & 0xFF); }
    void u16(std::uint32_t value) {
        u8(value);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value);
        u16(value >> 16);
    }

  private:
    std::uint8_t* at_;
};

std::size_t imageBytesOf(int width, int height) {
    return bmpRowStride(width) * std::size_t(height);
}

} // namespace

std::size_t bmpRowStride(int width) {
    return ui::Picture::strideOf(width);
}

std::size_t bmpFileBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const std::size_t fileBytes = BMP_HEADERS_BYTES + imageBytesOf(width, height);
    return fileBytes <= std::numeric_limits<std::uint32_t>::max() ? fileBytes : 0;
}

void writeBmpHeaders(std::uint8_t* at, int width, int height) {
    const std::size_t imageBytes = imageBytesOf(width, height);
    ByteWriter out(at);
    out.u8('B');
    out.u8('M');
    out.u32(std::uint32_t(BMP_HEADERS_BYTES + imageBytes));
    out.u32(0); // two reserved 16-bit fields
    out.u32(std::uint32_t(BMP_HEADERS_BYTES));
    out.u32(std::uint32_t(BMP_INFO_HEADER_BYTES));
    out.u32(std::uint32_t(width));
    out.u32(std::uint32_t(height)); // positive: rows stored bottom-up
    out.u16(1);                     // planes
    out.u16(24);                    // bits per pixel
    out.u32(0);                     // no compression
    out.u32(std::uint32_t(imageBytes));
    out.u32(PIXELS_PER_METRE_AT_72_DPI);
    out.u32(PIXELS_PER_METRE_AT_72_DPI);
    out.u32(0); // colours used
    out.u32(0); // important colours
}

std::string encodeBmp(const ui::Picture& picture) {
    const std::size_t fileBytes = bmpFileBytes(picture.width, picture.height);
    if (!picture.whole() || fileBytes == 0) return {};
    std::string file(fileBytes, '\0');
    auto* at = reinterpret_cast<std::uint8_t*>(file.data());
    writeBmpHeaders(at, picture.width, picture.height);
    std::copy_n(picture.data(), fileBytes - BMP_HEADERS_BYTES, at + BMP_HEADERS_BYTES);
    return file;
}

} // namespace wallpaper
