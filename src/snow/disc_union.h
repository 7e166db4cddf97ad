#pragma once
// Many filled discs of one colour over a cleared grid, painted so that every pixel is
// written once. Discs of one colour give the same pixels in any order, so this equals
// clearing the grid and filling the discs one after another, without the overdraw: the
// discs' row spans are first marked in a one-bit-per-pixel coverage mask, then every
// pixel is written from its bit: 64 at a time where a mask word is all set or all clear,
// else eight at a time through a table of byte patterns. The mask is kept, so the same
// frame can be written into more than one grid.
#include "snow/disc.h"

#include <array>
#include <cstdint>
#include <vector>

namespace snow {

struct Disc {
    std::int64_t cx, cy; // centre, in pixels
    double radius;       // in pixels; below zero draws nothing
};

class DiscUnion {
  public:
    // Marks the discs over a cleared grid of `width` x `height` pixels.
    void mark(std::int64_t width, std::int64_t height, const std::vector<Disc>& discs);
    // Writes the marked pixels into `to` as far as both grids reach: `colour` where a
    // disc covers the pixel, else `background`.
    void paint(PixelGrid to, std::uint32_t colour, std::uint32_t background);

  private:
    void markDisc(const Disc& disc);
    void markSpan(std::int64_t y, std::int64_t x0, std::int64_t x1);
    const std::vector<std::int64_t>& halvesFor(double radius, std::int64_t reach);
    void paintRow(const std::uint64_t* bits, std::uint32_t* out, std::int64_t width) const;
    void makePalette(std::uint32_t colour, std::uint32_t background);

    // Kept between frames so that a frame allocates nothing.
    std::vector<std::uint64_t> mask_; // a bit a pixel, rows of wordsPerRow_ words
    std::int64_t width_ = 0, height_ = 0, wordsPerRow_ = 0;
    double halvesRadius_ = -1;         // the radius halves_ belongs to
    std::vector<std::int64_t> halves_; // a span's half width for each row offset 0..reach
    // The eight pixels each byte of the mask stands for, lowest bit leftmost.
    std::vector<std::array<std::uint32_t, 8>> palette_;
};

} // namespace snow
