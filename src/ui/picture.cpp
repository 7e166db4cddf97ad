#include "ui/picture.h"

#include <algorithm>
#include <new>

namespace ui {

namespace {

PixelMemory pixelMemory{[](std::size_t bytes) { return ::operator new(bytes); },
                        [](void* block, std::size_t) { ::operator delete(block); }};

// Rows are padded to 4 bytes with zeros, as the bitmap file's are.
void clearPadding(Picture& picture) {
    const std::size_t stride = picture.stride(), pixelBytes = std::size_t(picture.width) * 3;
    if (stride == pixelBytes) return;
    for (int y = 0; y < picture.height; ++y)
        std::fill_n(picture.row(y) + pixelBytes, stride - pixelBytes, 0);
}

} // namespace

void usePixelMemory(PixelMemory memory) {
    pixelMemory = memory;
}

void* allocatePixels(std::size_t bytes) {
    return pixelMemory.allocate(bytes);
}

void releasePixels(void* block, std::size_t bytes) {
    pixelMemory.release(block, bytes);
}

std::size_t Picture::strideOf(int width) {
    const std::size_t rowBytes = std::size_t(std::max(width, 0)) * 3;
    return (rowBytes + 3) & ~std::size_t(3);
}

Picture Picture::sized(int width, int height) {
    Picture picture;
    if (width <= 0 || height <= 0) return picture;
    picture.width = width;
    picture.height = height;
    picture.bytes.resize(strideOf(width) * std::size_t(height));
    clearPadding(picture);
    return picture;
}

Picture Picture::over(int width, int height, std::uint8_t* rows) {
    Picture picture;
    if (width <= 0 || height <= 0 || !rows) return picture;
    picture.width = width;
    picture.height = height;
    picture.borrowed = rows;
    clearPadding(picture);
    return picture;
}

Picture Picture::placed(const PixelPlace& place, int width, int height) {
    std::uint8_t* rows = place && width > 0 && height > 0 ? place(width, height) : nullptr;
    return rows ? over(width, height, rows) : sized(width, height);
}

bool Picture::whole() const {
    if (width <= 0 || height <= 0) return false;
    return borrowed || bytes.size() >= stride() * std::size_t(height);
}

std::uint32_t Picture::at(int x, int y) const {
    const std::uint8_t* pixel = row(y) + std::size_t(x) * 3;
    return 0xFF000000u | std::uint32_t(pixel[2]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[0];
}

void Picture::set(int x, int y, std::uint32_t rgb) {
    std::uint8_t* pixel = row(y) + std::size_t(x) * 3;
    pixel[0] = std::uint8_t(rgb);
    pixel[1] = std::uint8_t(rgb >> 8);
    pixel[2] = std::uint8_t(rgb >> 16);
}

} // namespace ui
