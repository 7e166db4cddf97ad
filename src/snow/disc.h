#pragma once
// Filled discs and one-pixel rings on a 32-bit pixel grid, drawn as clipped row spans.
#include <cstdint>

namespace snow {

struct PixelGrid {
    std::uint32_t* data;
    std::int64_t width;
    std::int64_t height;
};

// Every pixel whose centre lies within `radius` pixels of (cx, cy); a radius below
// one gives the centre pixel alone.
void fillDisc(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour);
// The pixels of that disc that lie more than radius - 1 from the centre.
void drawRing(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour);

} // namespace snow
