#include "linux/screen_image.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace linux {

namespace {

// Where a screen pixel takes its colour along one side of the picture: `weight` 256ths of
// the way from the picture's pixel `first` to the next one; `first` is -1 where the
// picture does not reach (black). The last pixel has weight 0: nothing comes after it.
struct Tap {
    int first, weight;
};
using Taps = std::vector<Tap>;

constexpr std::int64_t ONE = 1 << 16; // fixed point, as Qt's transformed fetches use
constexpr std::size_t SPARE = 5;      // bytes after a row that the last pixel's pair reads

// Each screen pixel's middle mapped back onto the picture, between the middles of its
// pixels, clamped at the edges: the positions Qt's bilinear filter samples.
Taps stretched(int from, int to) {
    Taps taps(std::size_t(to), Tap{});
    const std::int64_t step = (std::int64_t(from) << 16) / to;
    for (int i = 0; i < to; ++i) {
        const std::int64_t at = std::max<std::int64_t>(0, step / 2 + i * step - ONE / 2);
        const int first = std::min(int(at >> 16), from - 1);
        taps[std::size_t(i)] = {first, first == from - 1 ? 0 : int((at & 0xffff) >> 8)};
    }
    return taps;
}

Taps centred(int from, int to) {
    Taps taps(std::size_t(to), Tap{-1, 0});
    const int offset = (to - from) / 2;
    for (int i = std::max(0, offset); i < std::min(to, offset + from); ++i)
        taps[std::size_t(i)] = {i - offset, 0};
    return taps;
}

Taps tiled(int from, int to) {
    Taps taps(std::size_t(to), Tap{});
    for (int i = 0; i < to; ++i)
        taps[std::size_t(i)] = {i % from, 0};
    return taps;
}

Taps tapsFor(WallpaperStyle style, int from, int to) {
    if (style == WallpaperStyle::Stretched) return stretched(from, to);
    if (style == WallpaperStyle::Tiled) return tiled(from, to);
    return centred(from, to);
}

// The pixel `offset` bytes into a row and the one after it, as 0x00RRGGBB each. Reads
// 8 bytes: a row needs SPARE readable bytes after its last pixel.
std::pair<std::uint32_t, std::uint32_t> pairAt(const std::uint8_t* row, int offset) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, row + offset, sizeof bytes);
        return {std::uint32_t(bytes) & 0xffffff, std::uint32_t(bytes >> 24) & 0xffffff};
    }
    const auto at = [row](int i) {
        return std::uint32_t(row[i] | row[i + 1] << 8 | row[i + 2] << 16);
    };
    return {at(offset), at(offset + 3)};
}

// Two 0x00RRGGBB pixels blended `weight` 256ths of the way to the second, red and blue
// in one product and green in another, each rounded down, as Qt's bilinear filter does.
std::uint32_t blend(std::uint32_t first, std::uint32_t second, std::uint32_t weight) {
    const std::uint32_t redBlue =
        ((first & 0xff00ff) * (256 - weight) + (second & 0xff00ff) * weight) >> 8;
    const std::uint32_t green =
        ((first & 0xff00) * (256 - weight) + (second & 0xff00) * weight) >> 8;
    return (redBlue & 0xff00ff) | (green & 0xff00);
}

// The picture's row `top` blended `down` 256ths of the way to the row below it, byte by
// byte, into `blended` (one loop the compiler turns into vector instructions), which has
// bytes to spare after the row for pairAt.
const std::uint8_t* rowBetween(const std::uint8_t* top, const std::uint8_t* bottom,
                               std::uint32_t down, std::vector<std::uint8_t>& blended) {
    const std::size_t bytes = blended.size() - SPARE;
    if (down == 0) return static_cast<std::uint8_t*>(std::memcpy(blended.data(), top, bytes));
    for (std::size_t i = 0; i < bytes; ++i)
        blended[i] = std::uint8_t((top[i] * (256 - down) + bottom[i] * down) >> 8);
    return blended.data();
}

// One screen row from one row of the picture: each pixel blended from two across.
void fillRow(std::uint32_t* screen, const std::uint8_t* row, const Taps& xs) {
    for (const Tap& x : xs) {
        const auto [first, next] = pairAt(row, std::max(0, x.first) * 3);
        *screen++ =
            x.first < 0 ? 0xff000000u : 0xff000000u | blend(first, next, std::uint32_t(x.weight));
    }
}

// Each screen row from the two picture rows its taps name; black where the picture does
// not reach.
void fillScreen(QImage& screen, const QImage& upsideDown, const Taps& xs, const Taps& ys) {
    const int top = upsideDown.height() - 1; // the picture's top row lies last
    std::vector<std::uint8_t> blended(std::size_t(upsideDown.width()) * 3 + SPARE);
    for (int y = 0; y < screen.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(screen.scanLine(y));
        const Tap& down = ys[std::size_t(y)];
        if (down.first < 0)
            std::fill_n(row, screen.width(), 0xff000000u);
        else
            fillRow(row,
                    rowBetween(upsideDown.constScanLine(top - down.first),
                               upsideDown.constScanLine(top - down.first - (down.weight > 0)),
                               std::uint32_t(down.weight), blended),
                    xs);
    }
}

} // namespace

QImage screenImage(const QImage& upsideDown, int width, int height, WallpaperStyle style) {
    if (upsideDown.isNull() || width <= 0 || height <= 0) return {};
    if (upsideDown.format() != QImage::Format_BGR888)
        return screenImage(upsideDown.convertToFormat(QImage::Format_BGR888), width, height, style);
    QImage screen(width, height, QImage::Format_RGB32);
    if (screen.isNull()) return {}; // no memory for it
    fillScreen(screen, upsideDown, tapsFor(style, upsideDown.width(), width),
               tapsFor(style, upsideDown.height(), height));
    return screen;
}

} // namespace linux
