#include "snow/disc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace snow {
namespace {

// Beyond this a disc covers any grid that fits in memory, wherever its centre lies.
constexpr double RADIUS_LIMIT = 1e10;

void fillSpan(PixelGrid grid, std::int64_t y, std::int64_t x0, std::int64_t x1,
              std::uint32_t colour) {
    x0 = std::max(x0, std::int64_t(0));
    x1 = std::min(x1, grid.width - 1);
    if (x0 > x1) return;
    std::fill_n(grid.data + y * grid.width + x0, x1 - x0 + 1, colour);
}

} // namespace

std::int64_t halfSpan(double radius, std::int64_t dy) {
    double left = radius * radius - double(dy) * double(dy);
    if (radius < 0 || left < 0) return -1;
    return std::int64_t(std::floor(std::sqrt(left)));
}

RowRange clippedRows(PixelGrid grid, std::int64_t cy, double radius) {
    std::int64_t reach = std::int64_t(std::floor(std::min(radius, RADIUS_LIMIT)));
    return {std::max(-reach, -cy), std::min(reach, grid.height - 1 - cy)};
}

double boundedRadius(double radius) {
    return std::min(radius, RADIUS_LIMIT);
}

void fillDisc(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour) {
    if (radius < 0) return;
    radius = boundedRadius(radius);
    auto rows = clippedRows(grid, cy, radius);
    for (std::int64_t dy = rows.first; dy <= rows.last; ++dy) {
        std::int64_t half = halfSpan(radius, dy);
        fillSpan(grid, cy + dy, cx - half, cx + half, colour);
    }
}

void drawRing(PixelGrid grid, std::int64_t cx, std::int64_t cy, double radius,
              std::uint32_t colour) {
    if (radius < 0) return;
    radius = boundedRadius(radius);
    auto rows = clippedRows(grid, cy, radius);
    for (std::int64_t dy = rows.first; dy <= rows.last; ++dy) {
        std::int64_t outer = halfSpan(radius, dy);
        std::int64_t inner = radius >= 1 ? halfSpan(radius - 1, dy) : -1;
        fillSpan(grid, cy + dy, cx - outer, cx - inner - 1, colour);
        fillSpan(grid, cy + dy, cx + inner + 1, cx + outer, colour);
    }
}

} // namespace snow
