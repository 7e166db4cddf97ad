#include "wallpaper/scaled_copy.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace wallpaper {

namespace {

constexpr int MOST_SAMPLES = 4; // along each side of a new pixel

// Where the samples of each new pixel lie along one side: `perPixel` old positions for
// each new one, at the middles of equal parts of the span it covers.
struct Samples {
    int perPixel;
    std::vector<int> at;
};

Samples samplesAlong(int from, int to) {
    const int k = std::clamp((from + to - 1) / to, 1, MOST_SAMPLES);
    Samples samples{k, {}};
    samples.at.reserve(std::size_t(to) * std::size_t(k));
    const std::int64_t parts = std::int64_t(to) * k;
    for (std::int64_t part = 0; part < parts; ++part)
        samples.at.push_back(int((2 * part + 1) * from / (2 * parts)));
    return samples;
}

// Adds each new pixel's samples from one old row to its blue, green and red sums.
void addRow(std::vector<std::uint32_t>& sums, const std::uint8_t* row, const Samples& xs) {
    for (std::size_t x = 0; x * 3 < sums.size(); ++x)
        for (int s = 0; s < xs.perPixel; ++s) {
            const std::uint8_t* pixel = row + std::size_t(xs.at[x * xs.perPixel + s]) * 3;
            for (int c = 0; c < 3; ++c)
                sums[x * 3 + c] += pixel[c];
        }
}

void averageInto(std::uint8_t* row, const std::vector<std::uint32_t>& sums, std::uint32_t count) {
    for (std::size_t i = 0; i < sums.size(); ++i)
        row[i] = std::uint8_t((sums[i] + count / 2) / count);
}

} // namespace

ui::Picture scaledCopy(const ui::Picture& picture, int width, int height) {
    ui::Picture copy = ui::Picture::sized(width, height);
    if (!copy.whole() || !picture.whole()) return copy;
    const Samples xs = samplesAlong(picture.width, width),
                  ys = samplesAlong(picture.height, height);
    const auto count = std::uint32_t(xs.perPixel * ys.perPixel);
    std::vector<std::uint32_t> sums(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::ranges::fill(sums, 0);
        for (int s = 0; s < ys.perPixel; ++s)
            addRow(sums, picture.row(ys.at[std::size_t(y) * ys.perPixel + s]), xs);
        averageInto(copy.row(y), sums, count);
    }
    return copy;
}

} // namespace wallpaper
