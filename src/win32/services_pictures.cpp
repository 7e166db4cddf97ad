// Picture files decoded by WIC (BMP, JPEG, GIF, PNG, TIFF) into 32-bit pixels.
#include "win32/services.h"

#include <wincodec.h>

#include <cstdint>
#include <memory>
#include <new>

namespace win32 {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T> using Com = std::unique_ptr<T, Releaser>;

constexpr std::uint64_t MAX_PIXELS = 0x1FFFFFFF; // the byte count must fit in 32 bits

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

// The frame as 32bppBGRA; a frame already in that form is used as it stands.
Com<IWICBitmapSource> asBgra(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
    WICPixelFormatGUID format{};
    frame->AddRef();
    Com<IWICBitmapSource> source(frame);
    if (SUCCEEDED(frame->GetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGRA)
        return source;
    IWICFormatConverter* converter = nullptr;
    if (FAILED(factory->CreateFormatConverter(&converter))) return nullptr;
    Com<IWICBitmapSource> converted(converter);
    if (FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return nullptr;
    return converted;
}

// BGRA bytes read as little-endian words are exactly 0xAARRGGBB.
std::shared_ptr<ui::Picture> copyPixels(IWICBitmapSource* source) {
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return nullptr;
    if (std::uint64_t(width) * height > MAX_PIXELS) return nullptr;
    auto picture = std::make_shared<ui::Picture>();
    picture->width = int(width);
    picture->height = int(height);
    picture->pixels.resize(std::size_t(width) * height);
    UINT stride = width * 4;
    UINT bytes = UINT(picture->pixels.size() * 4);
    auto* target = reinterpret_cast<BYTE*>(picture->pixels.data());
    if (FAILED(source->CopyPixels(nullptr, stride, bytes, target))) return nullptr;
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
    auto bgra = asBgra(factory, frame.get());
    if (!bgra) return nullptr;
    try {
        return copyPixels(bgra.get());
    } catch (const std::bad_alloc&) {
        return nullptr; // a picture too large for memory is one that cannot be loaded
    }
}

} // namespace win32
