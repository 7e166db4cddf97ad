// Picture files decoded by WIC (BMP, JPEG, GIF, PNG, TIFF) into the bitmap's 24-bit rows.
#include "win32/services.h"

#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace win32 {
namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T> using Com = std::unique_ptr<T, Releaser>;

constexpr UINT MAX_WIDTH = 0x3FFFFFFF;          // a row of 32-bit pixels counted in 32 bits
constexpr std::uint64_t MAX_BYTES = 0xFFFFFFFF; // a bitmap file's sizes are 32 bits

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

// The frame as 32bppBGRA, a form WIC converts every format to; a frame already in that
// form is used as it stands.
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

// Blue, green and red of each blue-green-red-alpha pixel.
void packRow(std::uint8_t* to, const std::vector<BYTE>& bgra) {
    for (std::size_t from = 0; from < bgra.size(); from += 4, to += 3)
        std::copy_n(&bgra[from], 3, to);
}

// Row by row from the top, each packed into its place in the bottom-up picture: no
// full-size copy in another layout, and no turning over afterwards.
std::shared_ptr<ui::Picture> copyPixels(IWICBitmapSource* source, const ui::PixelPlace& place) {
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return nullptr;
    if (width > MAX_WIDTH || std::uint64_t(width) * 3 * height > MAX_BYTES) return nullptr;
    auto picture =
        std::make_shared<ui::Picture>(ui::Picture::placed(place, int(width), int(height)));
    std::vector<BYTE> row(std::size_t(width) * 4);
    for (int y = 0; y < int(height); ++y) {
        const WICRect rect{0, y, int(width), 1};
        if (FAILED(source->CopyPixels(&rect, UINT(row.size()), UINT(row.size()), row.data())))
            return nullptr;
        packRow(picture->row(y), row);
    }
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

ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) {
    IWICImagingFactory* factory = imagingFactory();
    if (!factory || path.empty()) return nullptr;
    auto frame = firstFrame(factory, widen(path));
    if (!frame) return nullptr;
    auto bgra = asBgra(factory, frame.get());
    if (!bgra) return nullptr;
    try {
        return copyPixels(bgra.get(), place);
    } catch (const std::bad_alloc&) {
        return nullptr; // a picture too large for memory is one that cannot be loaded
    }
}

} // namespace win32
