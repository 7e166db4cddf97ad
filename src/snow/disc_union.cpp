#include "snow/disc_union.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace snow {
namespace {

constexpr std::int64_t WORD_BITS = 64;
constexpr std::uint64_t ALL = ~std::uint64_t(0);

} // namespace

void DiscUnion::mark(std::int64_t width, std::int64_t height, const std::vector<Disc>& discs) {
    width_ = std::max(width, std::int64_t(0));
    height_ = std::max(height, std::int64_t(0));
    wordsPerRow_ = (width_ + WORD_BITS - 1) / WORD_BITS;
    mask_.assign(std::size_t(wordsPerRow_ * height_), 0);
    if (width_ == 0 || height_ == 0) return;
    for (const Disc& disc : discs)
        markDisc(disc);
}

void DiscUnion::paint(PixelGrid to, std::uint32_t colour, std::uint32_t background) {
    makePalette(colour, background);
    const std::int64_t width = std::min(to.width, width_), height = std::min(to.height, height_);
    for (std::int64_t y = 0; y < height; ++y)
        paintRow(mask_.data() + y * wordsPerRow_, to.data + y * to.width, width);
}

// The same rows and spans as filling the disc, clipped to the grid.
void DiscUnion::markDisc(const Disc& disc) {
    if (!(disc.radius >= 0)) return;
    const PixelGrid grid{nullptr, width_, height_};
    double radius = boundedRadius(disc.radius);
    RowRange rows = clippedRows(grid, disc.cy, radius);
    if (rows.first > rows.last) return;
    auto reach = std::max(std::abs(rows.first), std::abs(rows.last));
    if (disc.cx + reach < 0 || disc.cx - reach >= grid.width) return;
    const auto& halves = halvesFor(radius, reach);
    for (std::int64_t dy = rows.first; dy <= rows.last; ++dy) {
        std::int64_t half = halves[std::size_t(std::abs(dy))];
        std::int64_t x0 = std::max(disc.cx - half, std::int64_t(0));
        std::int64_t x1 = std::min(disc.cx + half, grid.width - 1);
        if (x0 <= x1) markSpan(disc.cy + dy, x0, x1);
    }
}

// Half widths for the row offsets 0..reach; discs of one radius come in a row.
const std::vector<std::int64_t>& DiscUnion::halvesFor(double radius, std::int64_t reach) {
    if (radius == halvesRadius_ && std::int64_t(halves_.size()) > reach) return halves_;
    halvesRadius_ = radius;
    halves_.resize(std::size_t(reach) + 1);
    for (std::int64_t dy = 0; dy <= reach; ++dy)
        halves_[std::size_t(dy)] = halfSpan(radius, dy);
    return halves_;
}

// Sets the bits x0..x1 of row y.
void DiscUnion::markSpan(std::int64_t y, std::int64_t x0, std::int64_t x1) {
    std::uint64_t* row = mask_.data() + y * wordsPerRow_;
    std::int64_t first = x0 / WORD_BITS, last = x1 / WORD_BITS;
    std::uint64_t head = ALL << (x0 % WORD_BITS);
    std::uint64_t tail = ALL >> (WORD_BITS - 1 - x1 % WORD_BITS);
    if (first == last) {
        row[first] |= head & tail;
        return;
    }
    row[first] |= head;
    std::fill(row + first + 1, row + last, ALL);
    row[last] |= tail;
}

void DiscUnion::makePalette(std::uint32_t colour, std::uint32_t background) {
    palette_.resize(256);
    for (unsigned byte = 0; byte < 256; ++byte)
        for (unsigned bit = 0; bit < 8; ++bit)
            palette_[byte][bit] = (byte >> bit) & 1 ? colour : background;
}

// One row written once, every pixel from its bit: words wholly in or out of the discs
// as one fill, other words a byte at a time through the palette.
void DiscUnion::paintRow(const std::uint64_t* bits, std::uint32_t* out, std::int64_t width) const {
    const std::int64_t wholeWords = width / WORD_BITS;
    for (std::int64_t k = 0; k < wholeWords; ++k, out += WORD_BITS) {
        const std::uint64_t word = bits[k];
        if (word == 0 || word == ALL) {
            std::fill_n(out, WORD_BITS, palette_[word & 0xFF][0]);
            continue;
        }
        for (int byte = 0; byte < 8; ++byte)
            std::memcpy(out + byte * 8, palette_[(word >> byte * 8) & 0xFF].data(), 32);
    }
    for (std::int64_t x = wholeWords * WORD_BITS; x < width; ++x, ++out)
        *out = palette_[(bits[x / WORD_BITS] >> (x % WORD_BITS)) & 1][0];
}

} // namespace snow
