// The flakes drawn into the root window, as runs of pixels row by row.
#include "linux/x11/root_snow.h"

#include <gtest/gtest.h>

namespace linux::x11 {
// Found by the test framework next to the type it prints.
void PrintTo(const Run& r, std::ostream* out) {
    *out << "{x " << r.x << ", y " << r.y << ", width " << r.width << "}";
}
} // namespace linux::x11

namespace {

using Runs = std::vector<linux::x11::Run>;

constexpr std::uint32_t B = 0xFF000000, W = 0xFFFFFFFF, G = 0x00010203; // black, white, grey

// Only black is no flake, whatever its alpha; a run ends at its row's end.
TEST(FlakeRuns, EachRowsRunsOfPixelsThatAreNotBlack) {
    struct Row {
        const char* name;
        int width, height;
        std::vector<std::uint32_t> pixels;
        Runs runs;
    };
    const Row rows[] = {
        {"all black", 3, 2, {B, 0, B, 0, B, 0x7F000000}, {}},
        {"one pixel", 1, 1, {G}, {{0, 0, 1}}},
        {"runs in a row", 6, 1, {W, W, B, G, B, W}, {{0, 0, 2}, {3, 0, 1}, {5, 0, 1}}},
        {"rows apart", 2, 3, {B, W, W, W, W, B}, {{1, 0, 1}, {0, 1, 2}, {0, 2, 1}}},
        {"no pixels", 0, 0, {}, {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(linux::x11::flakeRuns(row.pixels.data(), row.width, row.height), row.runs)
            << row.name;
}

} // namespace
