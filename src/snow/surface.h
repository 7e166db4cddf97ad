#pragma once
// The snow window's drawing surface: 32-bit pixels in memory (0x00RRGGBB, rows
// top-down), measured in twips like the window that holds it. Black is the
// background the window's colour key makes invisible. The front ends only show the
// pixels; every frame is drawn here, so it looks the same everywhere.
#include "snow/disc_union.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace snow {

constexpr std::uint32_t BLACK = 0x000000;
constexpr std::uint32_t WHITE = 0xFFFFFF;

enum class FillStyle { Solid, Transparent };

struct CircleAt {
    float x, y, radius; // twips, as Circle takes them
};

class Surface {
  public:
    Surface();

    // Size in twips; the pixel buffer follows, `twipsPerPixel` twips to a pixel.
    double width() const { return width_; }
    double height() const { return height_; }
    void setWidth(double twips);
    void setHeight(double twips);
    void setTwipsPerPixel(double x, double y);

    int widthPixels() const { return widthPixels_; }
    int heightPixels() const { return heightPixels_; }
    const std::vector<std::uint32_t>& pixels() const;
    std::uint32_t pixel(int x, int y) const;
    // The picture for a window that shows black as see-through, into `to` as far as both
    // reach: premultiplied ARGB, black fully transparent, every other colour opaque.
    void copyKeyed(PixelGrid to) const;

    std::uint32_t backColor = BLACK;
    std::uint32_t fillColor = BLACK;
    FillStyle fillStyle = FillStyle::Transparent;

    // Clears every pixel to the background colour.
    void Cls();
    // A circle around (x, y) in twips: an outline in `outline`, filled with the fill
    // colour when the fill style is solid. Parts outside the surface are clipped; a
    // radius below one pixel draws the centre pixel; a negative radius draws nothing.
    void Circle(float x, float y, float radius, std::uint32_t outline);
    // Cls, then Circle for each of the circles in order: the same pixels, with every
    // pixel written once when the circles are solid discs in the fill colour.
    void ClsAndCircles(const std::vector<CircleAt>& circles, std::uint32_t outline);

    // Set by the front end: shows the current pixels on screen.
    std::function<void()> presented;
    void present() const {
        if (presented) presented();
    }

  private:
    void resizeBuffer();
    PixelGrid grid() const { return {pixels_.data(), widthPixels_, heightPixels_}; }
    Disc discOf(const CircleAt& circle) const;
    void settle() const;
    // The marked discs in `colour` over the background colour become the frame.
    void holdFrame(std::uint32_t colour);

    double width_, height_;
    double twipsPerPixelX_ = 15, twipsPerPixelY_ = 15;
    int widthPixels_ = 0, heightPixels_ = 0;
    // A frame of solid discs (a clear is one of none) is kept as their coverage until its
    // pixels are asked for, so that a window can take it without the pixels being written
    // twice, or at all.
    mutable std::vector<std::uint32_t> pixels_;
    mutable DiscUnion discUnion_;
    mutable bool unionPending_ = false; // the latest frame lives in discUnion_ only
    std::uint32_t unionColour_ = 0, unionBackground_ = 0;
    std::vector<Disc> discs_;
};

} // namespace snow
