#include "snow/surface.h"

#include "snow/disc.h"

#include <algorithm>
#include <cmath>

namespace snow {
namespace {

// The largest side in pixels a surface keeps, whatever size it is given.
constexpr double MAX_SIDE_PIXELS = 32767;

int pixelsFor(double twips, double twipsPerPixel) {
    double pixels = std::round(twips / twipsPerPixel);
    if (!(pixels > 0)) return 0;
    return int(std::min(pixels, MAX_SIDE_PIXELS));
}

// A pixel coordinate for a position in twips; far-off positions are pulled in to a
// distance that still lies off every surface.
std::int64_t pixelAt(float twips, double twipsPerPixel) {
    return std::int64_t(std::llround(std::clamp(double(twips) / twipsPerPixel, -1e12, 1e12)));
}

} // namespace

Surface::Surface() : width_(2295), height_(1815) {
    resizeBuffer();
}

void Surface::setWidth(double twips) {
    width_ = twips;
    resizeBuffer();
}

void Surface::setHeight(double twips) {
    height_ = twips;
    resizeBuffer();
}

void Surface::setTwipsPerPixel(double x, double y) {
    if (x > 0) twipsPerPixelX_ = x;
    if (y > 0) twipsPerPixelY_ = y;
    resizeBuffer();
}

// A new size starts from a cleared buffer.
void Surface::resizeBuffer() {
    int w = pixelsFor(width_, twipsPerPixelX_);
    int h = pixelsFor(height_, twipsPerPixelY_);
    if (w == widthPixels_ && h == heightPixels_) return;
    widthPixels_ = w;
    heightPixels_ = h;
    pixels_.assign(std::size_t(w) * std::size_t(h), backColor);
}

std::uint32_t Surface::pixel(int x, int y) const {
    return pixels_.at(std::size_t(y) * std::size_t(widthPixels_) + std::size_t(x));
}

void Surface::Cls() {
    std::fill(pixels_.begin(), pixels_.end(), backColor);
}

void Surface::Circle(float x, float y, float radius, std::uint32_t outline) {
    PixelGrid grid{pixels_.data(), widthPixels_, heightPixels_};
    auto cx = pixelAt(x, twipsPerPixelX_);
    auto cy = pixelAt(y, twipsPerPixelY_);
    double r = double(radius) / twipsPerPixelX_; // round: one factor for both axes
    bool filled = fillStyle == FillStyle::Solid;
    if (filled) fillDisc(grid, cx, cy, r, fillColor);
    if (!filled || fillColor != outline) drawRing(grid, cx, cy, r, outline);
}

} // namespace snow
