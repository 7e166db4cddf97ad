#pragma once
// Writes picture files with WIC's own encoders, for the wallpaper benchmark's photo.
#include "win32/services.h"

#include <wincodec.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace wic_writer {

// Pixels 0xAARRGGBB, rows top-down.
struct Pixels {
    UINT width = 0, height = 0;
    std::vector<std::uint32_t> data;
};

// The frame's pixels as 24bppBGR, or as 8bppIndexed with a palette of the colours
// used (at most 256) when the encoder takes only indexed pixels (GIF).
inline HRESULT writeFrame(IWICBitmapFrameEncode* frame, const Pixels& picture) {
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT hr = frame->SetSize(picture.width, picture.height);
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (FAILED(hr)) return hr;
    std::vector<BYTE> bytes;
    UINT stride = 0;
    if (format == GUID_WICPixelFormat8bppIndexed) {
        std::vector<WICColor> colours;
        for (std::uint32_t pixel : picture.data) {
            std::size_t index = 0;
            while (index < colours.size() && colours[index] != (pixel | 0xFF000000u))
                ++index;
            if (index == colours.size()) colours.push_back(pixel | 0xFF000000u);
            bytes.push_back(BYTE(index));
        }
        IWICPalette* palette = nullptr;
        win32::imagingFactory()->CreatePalette(&palette);
        palette->InitializeCustom(colours.data(), UINT(colours.size()));
        hr = frame->SetPalette(palette);
        palette->Release();
        stride = picture.width;
    } else {
        stride = (picture.width * 3 + 3) & ~3u;
        bytes.assign(std::size_t(stride) * picture.height, 0);
        for (UINT y = 0; y < picture.height; ++y)
            for (UINT x = 0; x < picture.width; ++x) {
                std::uint32_t pixel = picture.data[std::size_t(y) * picture.width + x];
                BYTE* out = &bytes[std::size_t(y) * stride + x * 3];
                out[0] = BYTE(pixel), out[1] = BYTE(pixel >> 8), out[2] = BYTE(pixel >> 16);
            }
    }
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(picture.height, stride, UINT(bytes.size()), bytes.data());
    if (SUCCEEDED(hr)) hr = frame->Commit();
    return hr;
}

// Encodes `picture` into the file at `path` in `container` (GUID_ContainerFormat...).
inline bool write(const std::wstring& path, const GUID& container, const Pixels& picture) {
    IWICImagingFactory* wic = win32::imagingFactory();
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    HRESULT hr = wic ? wic->CreateStream(&stream) : E_FAIL;
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = wic->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = writeFrame(frame, picture);
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    return SUCCEEDED(hr);
}

} // namespace wic_writer
