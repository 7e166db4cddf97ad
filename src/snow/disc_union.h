#pragma once
// Many filled discs of one colour over a cleared grid, painted so that every pixel is
// written once. Discs of one colour give the same pixels in any order, so this equals
// clearing the grid and filling the discs one after another, without the overdraw: the
// discs' row spans are first marked in a one-bit-per-pixel coverage mask, then every
// pixel is written from its bit, eight at a time through a table of byte patterns.
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
    void paint(PixelGrid grid, const std::vector<Disc>& discs, std::uint32_t colour,
               std::uint32_t background);

  private:
    void startMask(PixelGrid grid);
    void markDisc(PixelGrid grid, const Disc& disc);
    void markSpan(std::int64_t y, std::int64_t x0, std::int64_t x1);
    const std::vector<std::int64_t>& halvesFor(double radius, std::int64_t reach);
    void paintRow(PixelGrid grid, std::int64_t y, std::uint32_t colour,
                  std::uint32_t background) const;
    void makePalette(std::uint32_t colour, std::uint32_t background);

    // Kept between frames so that a frame allocates nothing.
    std::vector<std::uint64_t> mask_; // a bit a pixel, rows of wordsPerRow_ words
    std::int64_t wordsPerRow_ = 0;
    double halvesRadius_ = -1;         // the radius halves_ belongs to
    std::vector<std::int64_t> halves_; // a span's half width for each row offset 0..reach
    // The eight pixels each byte of the mask stands for, lowest bit leftmost.
    std::vector<std::array<std::uint32_t, 8>> palette_;
};

} // namespace snow
