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

// A colour as the see-through window shows it.
std::uint32_t keyed(std::uint32_t colour) {
    return colour == BLACK ? 0u : 0xFF000000u | colour;
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

// A new size starts cleared; its pixels are made when first asked for.
void Surface::resizeBuffer() {
    int w = pixelsFor(width_, twipsPerPixelX_);
    int h = pixelsFor(height_, twipsPerPixelY_);
    if (w == widthPixels_ && h == heightPixels_) return;
    widthPixels_ = w;
    heightPixels_ = h;
    pixels_ = {};
    Cls();
}

const std::vector<std::uint32_t>& Surface::pixels() const {
    settle();
    return pixels_;
}

// Writes a frame kept as coverage into the pixels.
void Surface::settle() const {
    if (!unionPending_) return;
    unionPending_ = false;
    pixels_.resize(std::size_t(widthPixels_) * std::size_t(heightPixels_));
    discUnion_.paint(grid(), unionColour_, unionBackground_);
}

std::uint32_t Surface::pixel(int x, int y) const {
    return pixels().at(std::size_t(y) * std::size_t(widthPixels_) + std::size_t(x));
}

void Surface::Cls() {
    discUnion_.mark(widthPixels_, heightPixels_, {});
    holdFrame(backColor);
}

void Surface::holdFrame(std::uint32_t colour) {
    unionColour_ = colour;
    unionBackground_ = backColor;
    unionPending_ = true;
}

// The circle in pixels; round: one factor for both axes.
Disc Surface::discOf(const CircleAt& circle) const {
    return {pixelAt(circle.x, twipsPerPixelX_), pixelAt(circle.y, twipsPerPixelY_),
            double(circle.radius) / twipsPerPixelX_};
}

void Surface::Circle(float x, float y, float radius, std::uint32_t outline) {
    settle();
    Disc disc = discOf({x, y, radius});
    bool filled = fillStyle == FillStyle::Solid;
    if (filled) fillDisc(grid(), disc.cx, disc.cy, disc.radius, fillColor);
    if (!filled || fillColor != outline) drawRing(grid(), disc.cx, disc.cy, disc.radius, outline);
}

// Solid discs of one colour cover the same pixels in any order, so they are painted as
// one union; rings, or a fill colour of its own, are drawn circle by circle.
void Surface::ClsAndCircles(const std::vector<CircleAt>& circles, std::uint32_t outline) {
    if (fillStyle != FillStyle::Solid || fillColor != outline) {
        Cls();
        for (const auto& circle : circles)
            Circle(circle.x, circle.y, circle.radius, outline);
        return;
    }
    discs_.clear();
    for (const auto& circle : circles)
        discs_.push_back(discOf(circle));
    discUnion_.mark(widthPixels_, heightPixels_, discs_);
    holdFrame(outline);
}

void Surface::copyKeyed(PixelGrid to) const {
    if (unionPending_) return discUnion_.paint(to, keyed(unionColour_), keyed(unionBackground_));
    const std::int64_t width = std::min(to.width, std::int64_t(widthPixels_));
    const std::int64_t height = std::min(to.height, std::int64_t(heightPixels_));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint32_t* from = pixels_.data() + y * widthPixels_;
        std::transform(from, from + width, to.data + y * to.width, keyed);
    }
}

} // namespace snow
