#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace ui {

// A decoded picture: 32-bit pixels 0xAARRGGBB, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

using PicturePtr = std::shared_ptr<const Picture>;

} // namespace ui
