// Picture files decoded by WIC (BMP, JPEG, GIF, PNG, TIFF) into the bitmap's 24-bit rows.
#include "win32/services.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace win32 {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T> using Com = std::unique_ptr<T, Releaser>;

constexpr std::uint64_t MAX_BYTES = 0xFFFFFFFF; // WIC counts the bytes it copies in 32 bits

template <typename T> Com<T> take(T* object) {
    return Com<T>(object);
}

Com<IWICBitmapFrameDecode> firstFrame(IWICImagingFactory* factory, const std::wstring& path) {
    IWICBitmapDecoder* decoder = nullptr;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)))
        return nullptr;
    auto owned = take(decoder);
    IWICBitmapFrameDecode* frame = nullptr;
    if (FAILED(owned->GetFrame(0, &frame))) return nullptr;
    return take(frame);
}

// The frame as 24bppBGR; a frame already in that form is used as it stands.
Com<IWICBitmapSource> asBgr(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
    WICPixelFormatGUID format{};
    frame->AddRef();
    Com<IWICBitmapSource> source(frame);
    if (SUCCEEDED(frame->GetPixelFormat(&format)) && format == GUID_WICPixelFormat24bppBGR)
        return source;
    IWICFormatConverter* converter = nullptr;
    if (FAILED(factory->CreateFormatConverter(&converter))) return nullptr;
    Com<IWICBitmapSource> converted(converter);
    if (FAILED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return nullptr;
    return converted;
}

// WIC gives the rows top-down; the picture holds them bottom-up.
void turnRowsOver(ui::Picture& picture) {
    const std::size_t stride = picture.stride();
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(picture.row(top), picture.row(top) + stride, picture.row(bottom));
}

// Blue, green and red bytes at the bitmap's stride, copied by WIC, then turned over.
std::shared_ptr<ui::Picture> copyPixels(IWICBitmapSource* source) {
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return nullptr;
    if (width > 0x7FFFFFFF / 3 || ui::Picture::strideOf(int(width)) * height > MAX_BYTES)
        return nullptr;
    auto picture = std::make_shared<ui::Picture>(ui::Picture::sized(int(width), int(height)));
    const auto stride = UINT(picture->stride());
    if (FAILED(source->CopyPixels(nullptr, stride, UINT(picture->bytes.size()),
                                  picture->bytes.data())))
        return nullptr;
    turnRowsOver(*picture);
    return picture;
}

} // namespace

// One factory for the process; COM is started once on this (the user-interface) thread.
IWICImagingFactory* imagingFactory() {
    static IWICImagingFactory* factory = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IWICImagingFactory* created = nullptr;
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&created));
        return created;
    }();
    return factory;
}

ui::PicturePtr loadPicture(const std::string& path) {
    IWICImagingFactory* factory = imagingFactory();
    if (!factory || path.empty()) return nullptr;
    auto frame = firstFrame(factory, widen(path));
    if (!frame) return nullptr;
    auto bgr = asBgr(factory, frame.get());
    if (!bgr) return nullptr;
    try {
        return copyPixels(bgr.get());
    } catch (const std::bad_alloc&) {
        return nullptr; // a picture too large for memory is one that cannot be loaded
    }
}

} // namespace win32
