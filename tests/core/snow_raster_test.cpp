// Painting many circles at once gives exactly the pixels of a clear followed by the
// circles drawn one by one: random tables with clipping, radius 0, radii beyond the
// surface, odd surface sizes, and the ring and own-fill-colour cases.
#include "snow_support.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using snow::BLACK;
using snow::CircleAt;
using snow::FillStyle;
using snow::Surface;
using snow::WHITE;

namespace {

struct Table {
    int width, height; // pixels
    int count;
    float maxRadius; // twips
};

// Centres up to a surface's size beyond every edge, radii from 0 up to maxRadius,
// a few of them exactly 0 and a few negative.
std::vector<CircleAt> randomCircles(const Table& table, std::mt19937& random) {
    std::uniform_real_distribution<float> x(-table.width * 15.f, 2 * table.width * 15.f);
    std::uniform_real_distribution<float> y(-table.height * 15.f, 2 * table.height * 15.f);
    std::uniform_real_distribution<float> r(0, table.maxRadius);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<CircleAt> circles;
    for (int k = 0; k < table.count; ++k) {
        int which = kind(random);
        float radius = which == 0 ? 0.f : which == 1 ? -r(random) : r(random);
        circles.push_back({x(random), y(random), radius});
    }
    return circles;
}

Surface prepared(int width, int height, FillStyle style, std::uint32_t fill) {
    auto surface = snow_support::surfaceOfPixels(width, height);
    surface.fillStyle = style;
    surface.fillColor = fill;
    surface.backColor = 0x123456; // gaps must take the background, whatever it is
    for (auto y : {0, height / 2})
        surface.Circle(float(width * 7.5), float(y * 15), 45, 0xABCDEF); // old content
    return surface;
}

void expectSamePixels(const Table& table, FillStyle style, std::uint32_t fill,
                      std::uint32_t outline, unsigned seed) {
    std::mt19937 random(seed);
    auto circles = randomCircles(table, random);
    Surface oneByOne = prepared(table.width, table.height, style, fill);
    Surface batch = prepared(table.width, table.height, style, fill);
    oneByOne.Cls();
    for (const auto& c : circles)
        oneByOne.Circle(c.x, c.y, c.radius, outline);
    batch.ClsAndCircles(circles, outline);
    ASSERT_EQ(batch.pixels(), oneByOne.pixels())
        << table.width << "x" << table.height << " seed " << seed;
}

const Table TABLES[] = {
    {1, 1, 20, 100},    {7, 5, 40, 60},       {37, 23, 200, 300},    {64, 10, 150, 200},
    {65, 33, 300, 500}, {130, 70, 1000, 600}, {200, 150, 2000, 500}, {100, 60, 30, 1e6f},
    {48, 40, 50, 3e9f}, {129, 3, 400, 2000},
};

} // namespace

TEST(SnowRaster, SolidDiscsInTheOutlineColourMatchDrawingThemOneByOne) {
    for (const auto& table : TABLES)
        for (unsigned seed = 1; seed <= 4; ++seed)
            expectSamePixels(table, FillStyle::Solid, WHITE, WHITE, seed);
}

TEST(SnowRaster, RingsAndAFillColourOfTheirOwnMatchDrawingThemOneByOne) {
    for (const auto& table : TABLES) {
        expectSamePixels(table, FillStyle::Transparent, WHITE, WHITE, 7);
        expectSamePixels(table, FillStyle::Solid, 0x00FF00, WHITE, 8);
    }
}

TEST(SnowRaster, NoCirclesLeavesOnlyTheBackground) {
    auto surface = prepared(50, 40, FillStyle::Solid, WHITE);
    surface.ClsAndCircles({}, WHITE);
    EXPECT_EQ(snow_support::countColour(surface, 0x123456), 50 * 40);
}

TEST(SnowRaster, ADiscBeyondTheSurfaceCoversItAll) {
    auto surface = prepared(70, 30, FillStyle::Solid, WHITE);
    surface.ClsAndCircles({{-1e6f, -1e6f, 1e9f}, {0, 0, 0}}, WHITE);
    EXPECT_EQ(snow_support::countColour(surface, WHITE), 70 * 30);
}

TEST(SnowRaster, RadiusZeroIsTheCentrePixelAlone) {
    auto surface = prepared(20, 20, FillStyle::Solid, WHITE);
    surface.backColor = BLACK;
    surface.ClsAndCircles({{150, 75, 0}, {-15, 75, 0}, {300, 300, 0}}, WHITE);
    EXPECT_EQ(snow_support::countColour(surface, WHITE), 1);
    EXPECT_EQ(surface.pixel(10, 5), WHITE);
}

TEST(SnowRaster, AnEmptySurfaceTakesCirclesWithoutHarm) {
    auto surface = prepared(10, 10, FillStyle::Solid, WHITE);
    surface.setWidth(0);
    surface.ClsAndCircles({{0, 0, 100}, {50, 50, 1e9f}}, WHITE);
    EXPECT_TRUE(surface.pixels().empty());
}

// A whole frame at the slider maxima through DrawSnow, against the same flakes drawn
// one by one: the snow's own circles, not only random ones.
TEST(SnowRaster, AFrameAtTheSliderMaximaMatchesDrawingEveryFlakeInTurn) {
    snow::SnowState state;
    state.SnowLayers = 50;
    state.SnowDensity = 100;
    state.SnowSpeed = 50;
    state.SnowSize = 10;
    state.InitSnow(640 * 15.f, 360 * 15.f);
    auto frame = snow_support::surfaceOfPixels(640, 360);
    state.MoveSnow(frame);
    state.DrawSnow(frame);
    auto expected = snow_support::surfaceOfPixels(640, 360);
    expected.fillColor = WHITE;
    for (int i = 50; i >= 0; --i)
        for (const auto& flake : state.Flakes[std::size_t(i)])
            expected.Circle(float(flake.x), float(flake.y), float((50 - i) * 10), WHITE);
    EXPECT_EQ(frame.pixels(), expected.pixels());
    EXPECT_GT(snow_support::countColour(frame, WHITE), 640 * 360 / 2);
}
