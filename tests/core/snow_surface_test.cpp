// The in-memory drawing surface: its size in twips and pixels, the clear, and discs
// with clipping.
#include "snow_support.h"

#include <gtest/gtest.h>

using snow::BLACK;
using snow::Surface;
using snow::WHITE;
using snow_support::countColour;
using snow_support::surfaceOfPixels;

TEST(SnowSurface, ItsPixelSizeFollowsTheTwipsPerPixel) {
    struct Case {
        double twipsPerPixel;
        int width, height;
    };
    for (auto c : {Case{15, 1920, 1080}, Case{12, 2400, 1350}, Case{7.5, 3840, 2160}}) {
        Surface surface;
        surface.setTwipsPerPixel(c.twipsPerPixel, c.twipsPerPixel);
        surface.setWidth(28800);
        surface.setHeight(16200);
        EXPECT_EQ(surface.widthPixels(), c.width);
        EXPECT_EQ(surface.heightPixels(), c.height);
        EXPECT_EQ(surface.pixels().size(), std::size_t(c.width) * std::size_t(c.height));
        EXPECT_EQ(surface.width(), 28800);
    }
}

TEST(SnowSurface, StartsAtItsDesignSizeAndCopesWithNonsenseSizes) {
    Surface surface;
    EXPECT_EQ(surface.widthPixels(), 153);  // 2295 twips
    EXPECT_EQ(surface.heightPixels(), 121); // 1815 twips
    surface.setWidth(-50);
    EXPECT_EQ(surface.widthPixels(), 0);
    surface.Circle(0, 0, 100, WHITE); // nothing to draw on, nothing breaks
    EXPECT_TRUE(surface.pixels().empty());
}

TEST(SnowSurface, ClsClearsToTheBackgroundColour) {
    auto surface = surfaceOfPixels(20, 10);
    surface.fillColor = WHITE;
    surface.Circle(150, 75, 1000, WHITE);
    ASSERT_EQ(countColour(surface, WHITE), 200);
    surface.Cls();
    EXPECT_EQ(countColour(surface, BLACK), 200);
}

TEST(SnowSurface, AFilledDiscHoldsEveryPixelWithinItsRadius) {
    auto surface = surfaceOfPixels(30, 30);
    surface.fillColor = WHITE;
    surface.Circle(150, 150, 45, WHITE); // centre (10, 10), radius 3 pixels
    EXPECT_EQ(countColour(surface, WHITE), 29);
    struct Probe {
        int x, y;
        std::uint32_t colour;
    };
    for (auto p : {Probe{10, 10, WHITE}, Probe{13, 10, WHITE}, Probe{14, 10, BLACK},
                   Probe{10, 7, WHITE}, Probe{10, 6, BLACK}, Probe{12, 12, WHITE},
                   Probe{13, 11, BLACK}, Probe{8, 8, WHITE}, Probe{7, 8, BLACK}})
        EXPECT_EQ(surface.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(SnowSurface, DiscsAreClippedAtEveryEdge) {
    struct Case {
        float x, y; // twips
        long expected;
    };
    // A 3-pixel disc has 29 pixels; a quarter of it with the centre row and column, 11.
    for (auto c :
         {Case{0, 0, 11}, Case{29 * 15, 29 * 15, 11}, Case{0, 150, 18}, Case{150, 29 * 15, 18},
          Case{-4 * 15, 150, 0}, Case{150, 33 * 15, 0}, Case{-1e9f, -1e9f, 0}}) {
        auto surface = surfaceOfPixels(30, 30);
        surface.fillColor = WHITE;
        surface.Circle(c.x, c.y, 45, WHITE);
        EXPECT_EQ(countColour(surface, WHITE), c.expected) << c.x << "," << c.y;
    }
}

TEST(SnowSurface, AHugeDiscCoversTheWholeSurface) {
    auto surface = surfaceOfPixels(40, 30);
    surface.fillColor = WHITE;
    surface.Circle(-3e9f, 5e9f, 3e38f, WHITE);
    EXPECT_EQ(countColour(surface, WHITE), 40 * 30);
}

TEST(SnowSurface, RadiusZeroDrawsOnePixelAndANegativeRadiusNone) {
    auto surface = surfaceOfPixels(10, 10);
    surface.fillColor = WHITE;
    surface.Circle(3 * 15, 4 * 15, 0, WHITE);
    EXPECT_EQ(countColour(surface, WHITE), 1);
    EXPECT_EQ(surface.pixel(3, 4), WHITE);
    surface.Circle(60, 60, -30, WHITE);
    EXPECT_EQ(countColour(surface, WHITE), 1);
    surface.Circle(10 * 15, 4 * 15, 0, WHITE); // just past the right edge
    EXPECT_EQ(countColour(surface, WHITE), 1);
}

TEST(SnowSurface, CentresRoundToTheNearestPixel) {
    auto surface = surfaceOfPixels(10, 10);
    surface.Circle(37, 52, 0, WHITE); // 2.47, 3.47 pixels
    surface.Circle(38, 53, 0, WHITE); // 2.53, 3.53 pixels
    EXPECT_EQ(surface.pixel(2, 3), WHITE);
    EXPECT_EQ(surface.pixel(3, 4), WHITE);
    EXPECT_EQ(countColour(surface, WHITE), 2);
}

TEST(SnowSurface, WithoutSolidFillOnlyTheOutlineIsDrawn) {
    auto surface = surfaceOfPixels(30, 30);
    surface.fillStyle = snow::FillStyle::Transparent;
    surface.fillColor = WHITE;
    surface.Circle(150, 150, 45, 0x00FF00);
    EXPECT_EQ(countColour(surface, 0x00FF00), 29 - 13); // outside radius 2
    EXPECT_EQ(surface.pixel(10, 10), BLACK);
    EXPECT_EQ(surface.pixel(13, 10), 0x00FF00u);
}

TEST(SnowSurface, ASolidDiscTakesTheFillColourInsideItsOutline) {
    auto surface = surfaceOfPixels(30, 30);
    surface.fillColor = 0x0000FF;
    surface.Circle(150, 150, 45, WHITE);
    EXPECT_EQ(countColour(surface, 0x0000FF), 13);
    EXPECT_EQ(countColour(surface, WHITE), 16);
    EXPECT_EQ(surface.pixel(10, 10), 0x0000FFu);
}
