#pragma once
// Reads back a 24-bit bottom-up bitmap file as the tests' independent check of what
// the writer produced. Fields are taken from their fixed offsets in the file.
#include "ui/picture.h"

#include <cstdint>
#include <optional>
#include <string>

namespace testing_support {

inline std::uint32_t le(const std::string& bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + std::size_t(i)));
    return value;
}

// The picture in the file with opaque pixels, or nothing when the file is not a
// 24-bit uncompressed bottom-up bitmap of consistent size.
inline std::optional<ui::Picture> readBmp(const std::string& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    if (le(bytes, 2, 4) != bytes.size() || le(bytes, 28, 2) != 24 || le(bytes, 30, 4) != 0)
        return std::nullopt;
    ui::Picture picture;
    picture.width = int(le(bytes, 18, 4));
    picture.height = int(le(bytes, 22, 4));
    std::size_t stride = (std::size_t(picture.width) * 3 + 3) / 4 * 4;
    std::size_t offset = le(bytes, 10, 4);
    if (picture.width <= 0 || picture.height <= 0 ||
        offset + stride * std::size_t(picture.height) != bytes.size())
        return std::nullopt;
    for (int y = 0; y < picture.height; ++y) {
        std::size_t row = offset + std::size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(0xFF000000u | le(bytes, row + std::size_t(x) * 3, 3));
    }
    return picture;
}

} // namespace testing_support
