#pragma once
// Filled discs and one-pixel rings on a 32-bit pixel grid, drawn as clipped row spans.
#include <cstdint>

namespace snow {

struct PixelGrid {
    std::uint32_t* data;
    std::int64_t width;
    std::int64_t height;
};

// The rows a disc of `radius` around row `cy` reaches, as offsets from the centre,
// clipped to the grid (first > last when it misses the grid).
struct RowRange {
    std::int64_t first, last;
};
RowRange clippedRows(PixelGrid grid, std::int64_t cy, double radius);
// Half the width of the disc's span on the row `dy` away from the centre, or -1
// when the row misses the disc.
std::int64_t halfSpan(double radius, std::int64_t dy);
// The radius a disc is drawn with: at most one that covers any grid.
double boundedRadius(double radius);

// Every pixel whose centre lies within `radius` pixels of (cx, cy); a radius below
// one gives the centre pixel alone.
void fillDisc(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour);
// The pixels of that disc that lie more than radius - 1 from the centre.
void drawRing(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour);

} // namespace snow
