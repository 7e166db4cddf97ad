#include "qt/jpeg_decoder.h"

#include <turbojpeg.h>

#include <bit>
#include <cstring>
#include <memory>

namespace qt {

namespace {

static_assert(std::endian::native == std::endian::little, "BGRA bytes are 0xAARRGGBB words");

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Decompressor = std::unique_ptr<void, HandleCloser>;

bool startsLikeJpeg(const std::string& bytes) {
    return bytes.size() > 3 && bytes.compare(0, 3, "\xFF\xD8\xFF") == 0;
}

// After a warning the picture is whole, unless the data ended early: then the rest is grey.
bool endedEarly(tjhandle handle) {
    return std::strstr(tjGetErrorStr2(handle), "Premature end") != nullptr;
}

} // namespace

std::optional<ui::PicturePtr> decodeJpeg(const std::string& bytes, std::size_t maxBytes) {
    if (!startsLikeJpeg(bytes)) return std::nullopt;
    Decompressor handle(tjInitDecompress());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    int width = 0, height = 0, subsampling = 0, colours = 0;
    if (!handle || tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height,
                                       &subsampling, &colours) != 0)
        return std::nullopt;
    if (std::size_t(width) * std::size_t(height) > maxBytes / 4) return nullptr;
    auto picture = std::make_shared<ui::Picture>();
    picture->width = width;
    picture->height = height;
    picture->pixels.resize(std::size_t(width) * std::size_t(height));
    // Bytes blue, green, red, 255: the words 0xFFRRGGBB on this little-endian machine.
    const bool failed = tjDecompress2(handle.get(), data, bytes.size(),
                                      reinterpret_cast<unsigned char*>(picture->pixels.data()),
                                      width, width * 4, height, TJPF_BGRA, 0) != 0;
    if (failed && tjGetErrorCode(handle.get()) == TJERR_FATAL) return std::nullopt;
    if (failed && endedEarly(handle.get())) return nullptr;
    return picture;
}

} // namespace qt
