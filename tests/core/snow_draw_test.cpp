// Drawing a frame: the clear, the radius per layer, the order of the layers and the
// guard that ends a frame at the first bad parameter.
#include "snow_support.h"

#include <gtest/gtest.h>

using snow::BLACK;
using snow::SnowState;
using snow::WHITE;
using snow_support::countColour;

namespace {

// A 100 x 100 pixel picture painted white, so a clear shows.
snow::Surface dirtyPicture() {
    auto picture = snow_support::surfaceOfPixels(100, 100);
    picture.fillColor = WHITE;
    picture.Circle(750, 750, 1e6f, WHITE);
    return picture;
}

// Flake (i, j) at pixel (10 + 15 j, 10 + 15 i): far enough apart for discs of 3 px.
void spreadFlakes(SnowState& state) {
    for (int i = 0; i <= snow::FLAKE_INDEX_MAX; ++i)
        for (int j = 0; j <= snow::FLAKE_INDEX_MAX; ++j)
            state.Flakes[i][j] = {(10 + 15 * j) * 15, (10 + 15 * i) * 15};
}

} // namespace

TEST(SnowDraw, NothingStoredClearsThePictureAndDrawsNoFlake) {
    SnowState state;
    auto picture = dirtyPicture();
    ASSERT_EQ(countColour(picture, WHITE), 100 * 100);
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, BLACK), 100 * 100);
}

TEST(SnowDraw, AnEmptySizeClearsAndDrawsNothing) {
    SnowState state;
    state.SnowLayers = std::string("3");
    state.SnowDensity = std::string("2");
    state.SnowSpeed = std::string("5");
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, BLACK), 100 * 100);
}

TEST(SnowDraw, AllSlidersAtMinimumDrawFourSinglePixels) {
    SnowState state;
    for (auto* p : {&state.SnowLayers, &state.SnowDensity, &state.SnowSpeed, &state.SnowSize})
        *p = 1;
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, WHITE), 4); // radii of 1 and 0 twips
    for (int y : {10, 25})
        for (int x : {10, 25})
            EXPECT_EQ(picture.pixel(x, y), WHITE) << x << "," << y;
}

TEST(SnowDraw, EachLayerHasTheRadiusOfItsDistanceTimesTheSize) {
    SnowState state;
    state.SnowLayers = std::string("5");
    state.SnowDensity = std::string("0");
    state.SnowSize = std::string("5");
    spreadFlakes(state);
    auto picture = snow_support::surfaceOfPixels(100, 100);
    picture.fillStyle = snow::FillStyle::Solid;
    state.DrawSnow(picture);
    // Radii 25, 20, 15, 10, 5, 0 twips: 1.67, 1.33, 1, 0.67, 0.33, 0 pixels.
    EXPECT_EQ(countColour(picture, WHITE), 9 + 5 + 5 + 1 + 1 + 1);
    EXPECT_EQ(picture.pixel(11, 11), WHITE); // layer 0 reaches the diagonal
    EXPECT_EQ(picture.pixel(11, 26), BLACK); // layer 1 does not
    EXPECT_EQ(picture.pixel(11, 25), WHITE);
}

TEST(SnowDraw, OnlyLayer0WithL0DrawsOnePixelPerFlake) {
    SnowState state;
    state.SnowLayers = std::string("0");
    state.SnowDensity = std::string("3");
    state.SnowSize = std::string("10");
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, WHITE), 4);
    EXPECT_EQ(picture.pixel(55, 10), WHITE);
}

TEST(SnowDraw, TheFarthestLayerIsDrawnFirst) {
    // With D above 100 the frame ends after flake 100 of the first layer it draws:
    // only the farthest layer's flakes (radius 0) reach the picture.
    SnowState state;
    state.SnowLayers = std::string("3");
    state.SnowDensity = std::string("150");
    state.SnowSize = std::string("15");
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(picture.pixel(10, 55), WHITE);   // layer 3, flake 0
    EXPECT_EQ(picture.pixel(10, 10), BLACK);   // layer 0 never drawn
    EXPECT_EQ(countColour(picture, WHITE), 6); // flakes 0..5 of layer 3 lie on the picture
}

TEST(SnowDraw, LayersAbove100DrawNothing) {
    SnowState state;
    state.SnowLayers = std::string("101");
    state.SnowDensity = std::string("0");
    state.SnowSize = std::string("1");
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, BLACK), 100 * 100);
}

TEST(SnowDraw, ARadiusBeyondSinglePrecisionEndsTheFrame) {
    SnowState state;
    state.SnowLayers = std::string("1");
    state.SnowDensity = std::string("0");
    state.SnowSize = std::string("1e300");
    spreadFlakes(state);
    auto picture = dirtyPicture();
    state.DrawSnow(picture);
    EXPECT_EQ(countColour(picture, WHITE), 1); // layer 1 (radius 0) came first
    EXPECT_EQ(picture.pixel(10, 25), WHITE);
}
