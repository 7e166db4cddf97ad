#include "linux/jpeg_decoder.h"

#include <turbojpeg.h>

#include <cstring>
#include <memory>

namespace linux {

namespace {

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

// Blue, green, red bytes, the bottom row first, each row at the picture's stride: the
// bitmap's own layout, written by the decoder with nothing to convert after it.
std::optional<ui::PicturePtr> decodeJpeg(const std::string& bytes, std::size_t maxBytes,
                                         const ui::PixelPlace& place) {
    if (!startsLikeJpeg(bytes)) return std::nullopt;
    Decompressor handle(tjInitDecompress());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    int width = 0, height = 0, subsampling = 0, colours = 0;
    if (!handle || tjDecompressHeader3(handle.get(), data, bytes.size(), &width, &height,
                                       &subsampling, &colours) != 0)
        return std::nullopt;
    if (ui::Picture::strideOf(width) * std::size_t(height) > maxBytes) return nullptr;
    auto picture = std::make_shared<ui::Picture>(ui::Picture::placed(place, width, height));
    const bool failed =
        tjDecompress2(handle.get(), data, bytes.size(), picture->data(), width,
                      int(picture->stride()), height, TJPF_BGR, TJFLAG_BOTTOMUP) != 0;
    if (failed && tjGetErrorCode(handle.get()) == TJERR_FATAL) return std::nullopt;
    if (failed && endedEarly(handle.get())) return nullptr;
    return picture;
}

} // namespace linux
