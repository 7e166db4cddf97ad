// Placing and moving the flakes: the order of random draws, the loop bounds, the
// steps per layer, the wrap at the bottom and each routine's own guard.
#include "snow_support.h"

#include <gtest/gtest.h>

using snow::SnowState;
using snow::Surface;
using snow_support::ScriptedRandom;

namespace {

struct Simulation {
    SnowState state;
    ScriptedRandom random;
    Surface picture = snow_support::surfaceOfPixels(100, 100); // 1500 x 1500 twips

    Simulation() { state.random = random.source(); }
    long draws() const { return *random.calls; }
};

} // namespace

TEST(SnowPlacement, NothingStoredPlacesNothingAndDrawsNoRandomNumber) {
    Simulation s;
    s.state.InitSnow(1000, 500);
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.draws(), 0);
    EXPECT_TRUE(snow_support::allFlakesZero(s.state.Flakes));
}

TEST(SnowPlacement, AFixedSequenceGivesAFullyDeterminedTable) {
    Simulation s;
    s.random.step = 0.125; // exact in single precision
    s.state.random = s.random.source();
    s.state.SnowLayers = std::string("1");
    s.state.SnowDensity = std::string("1");
    s.state.InitSnow(1000, 500);
    // x before y, flake by flake, layer by layer; floor(r * size + 1).
    const int expected[2][2][2] = {{{1, 63}, {251, 188}}, {{501, 313}, {751, 438}}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(s.state.Flakes[i][j].x, expected[i][j][0]) << i << "," << j;
            EXPECT_EQ(s.state.Flakes[i][j].y, expected[i][j][1]) << i << "," << j;
        }
    EXPECT_EQ(s.draws(), 8);
    EXPECT_EQ(s.state.Flakes[0][2].x, 0); // beyond D: untouched
    EXPECT_EQ(s.state.Flakes[2][0].x, 0); // beyond L: untouched
}

TEST(SnowPlacement, ARandomNumberJustBelowOneStaysInsideTheWindow) {
    SnowState state;
    state.random = [] { return 0.99999999; }; // rounds to 1 in single precision
    state.SnowLayers = 0;
    state.SnowDensity = 0;
    state.InitSnow(1000, 500);
    EXPECT_EQ(state.Flakes[0][0].x, 1000);
    EXPECT_EQ(state.Flakes[0][0].y, 500);
}

TEST(SnowPlacement, TheDefaultGeneratorRepeatsEveryRunAndStaysBelowOne) {
    auto first = snow::defaultRandom();
    auto second = snow::defaultRandom();
    bool varied = false;
    double previous = -1;
    for (int k = 0; k < 10000; ++k) {
        double value = first();
        ASSERT_EQ(value, second());
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        ASSERT_EQ(double(float(value)), value); // exact as a single-precision number
        varied = varied || (previous >= 0 && value != previous);
        previous = value;
    }
    EXPECT_TRUE(varied);
}

TEST(SnowPlacement, TheLayerBoundIsRoundedHalfToEven) {
    struct Case {
        const char* layers;
        int lastLayer; // -1: no layer at all
    };
    for (auto c :
         {Case{"2.5", 2}, Case{"3.5", 4}, Case{"0.4", 0}, Case{"-1", -1}, Case{" 1 ", 1}}) {
        Simulation s;
        s.state.SnowLayers = std::string(c.layers);
        s.state.SnowDensity = std::string("0");
        s.state.InitSnow(1000, 500);
        EXPECT_EQ(s.draws(), 2 * (c.lastLayer + 1)) << c.layers;
        EXPECT_EQ(s.state.Flakes[std::size_t(c.lastLayer + 1)][0].x, 0) << c.layers;
    }
}

TEST(SnowPlacement, ABadParameterEndsThePlacementBeforeAnyFlake) {
    for (const char* bad : {"", "snow", "1e9"}) {
        Simulation s;
        s.state.SnowLayers = std::string("3");
        s.state.SnowDensity = std::string(bad);
        s.state.InitSnow(1000, 500);
        EXPECT_EQ(s.draws(), 0) << bad;
        EXPECT_TRUE(snow_support::allFlakesZero(s.state.Flakes)) << bad;
    }
}

TEST(SnowPlacement, AnIndexAbove100EndsThePassKeepingWhatWasPlaced) {
    Simulation layers;
    layers.state.SnowLayers = std::string("150");
    layers.state.SnowDensity = std::string("1");
    layers.state.InitSnow(1000, 500);
    EXPECT_EQ(layers.draws(), 101 * 2 * 2);
    EXPECT_NE(layers.state.Flakes[100][1].x, 0);

    Simulation flakes;
    flakes.state.SnowLayers = std::string("3");
    flakes.state.SnowDensity = std::string("150");
    flakes.state.InitSnow(1000, 500);
    EXPECT_EQ(flakes.draws(), 101 * 2); // layer 0 only, up to flake 100
    EXPECT_NE(flakes.state.Flakes[0][100].x, 0);
    EXPECT_EQ(flakes.state.Flakes[1][0].x, 0);
}

TEST(SnowMove, AllSlidersAtMinimumGiveTwoLayersOfTwoFlakes) {
    Simulation s;
    for (auto* p :
         {&s.state.SnowLayers, &s.state.SnowDensity, &s.state.SnowSpeed, &s.state.SnowSize})
        *p = 1;
    for (auto& layer : s.state.Flakes)
        for (auto& flake : layer)
            flake = {40, 10};
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.state.Flakes[0][0].y, 12); // layer 0: step 2
    EXPECT_EQ(s.state.Flakes[0][1].y, 12);
    EXPECT_EQ(s.state.Flakes[1][0].y, 11); // layer 1: step 1
    EXPECT_EQ(s.state.Flakes[1][1].y, 11);
    EXPECT_EQ(s.state.Flakes[0][2].y, 10); // outside the pass
    EXPECT_EQ(s.state.Flakes[2][0].y, 10);
    EXPECT_EQ(s.state.Flakes[1][1].x, 40);
}

TEST(SnowMove, TheStepUsesTheUnroundedLayerCount) {
    Simulation s;
    s.state.SnowLayers = std::string("1.5"); // bound 2; steps 2.5, 1.5, 0.5 times V
    s.state.SnowDensity = 0;
    s.state.SnowSpeed = std::string("3");
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.state.Flakes[0][0].y, 8); // 7.5 rounds half to even
    EXPECT_EQ(s.state.Flakes[1][0].y, 4); // 4.5
    EXPECT_EQ(s.state.Flakes[2][0].y, 2); // 1.5
}

TEST(SnowMove, AFlakeAtTheBottomWrapsToTheTopOnTheNextMove) {
    Simulation s; // picture 1500 twips high
    s.state.SnowLayers = std::string("0");
    s.state.SnowDensity = std::string("0");
    s.state.SnowSpeed = std::string("7");
    s.state.Flakes[0][0] = {321, 1499};
    std::vector<int> seen;
    for (int k = 0; k < 3; ++k) {
        s.state.MoveSnow(s.picture);
        seen.push_back(s.state.Flakes[0][0].y);
        EXPECT_EQ(s.state.Flakes[0][0].x, 321);
    }
    EXPECT_EQ(seen, (std::vector<int>{1506, 0, 7}));
}

TEST(SnowMove, TheBottomIsThePictureHeightRoundedToAWholeTwip) {
    struct Case {
        double height;
        int after; // y after one move from 1500
    };
    for (auto c : {Case{1500.5, 0}, Case{1500.4, 0}, Case{1501.5, 1501}, Case{1500.6, 1501}}) {
        Simulation s;
        s.picture.setHeight(c.height);
        s.state.SnowLayers = 0;
        s.state.SnowDensity = 0;
        s.state.SnowSpeed = 1;
        s.state.Flakes[0][0].y = 1500;
        s.state.MoveSnow(s.picture);
        EXPECT_EQ(s.state.Flakes[0][0].y, c.after) << c.height;
    }
}

TEST(SnowMove, ABadSpeedStopsAtTheFirstFlakeThatDoesNotWrap) {
    Simulation s;
    s.state.SnowLayers = 0;
    s.state.SnowDensity = 2;
    s.state.Flakes[0][0].y = 1500; // wraps: no speed needed
    s.state.Flakes[0][1].y = 5;
    s.state.Flakes[0][2].y = 1600;
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.state.Flakes[0][0].y, 0);
    EXPECT_EQ(s.state.Flakes[0][1].y, 5);
    EXPECT_EQ(s.state.Flakes[0][2].y, 1600); // never reached
}

TEST(SnowMove, AStepBeyondThe32BitRangeEndsTheMove) {
    Simulation s;
    s.picture.setWidth(15);
    s.picture.setHeight(3e9);
    s.state.SnowLayers = 0;
    s.state.SnowDensity = 1;
    s.state.SnowSpeed = std::string("100");
    s.state.Flakes[0][0].y = 2147483600;
    s.state.Flakes[0][1].y = 10;
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.state.Flakes[0][0].y, 2147483600);
    EXPECT_EQ(s.state.Flakes[0][1].y, 10);
}

TEST(SnowMove, LayersAbove100StopThePassAfterLayer100) {
    Simulation s;
    s.state.SnowLayers = std::string("101");
    s.state.SnowDensity = 0;
    s.state.SnowSpeed = 1;
    s.state.MoveSnow(s.picture);
    EXPECT_EQ(s.state.Flakes[0][0].y, 102);
    EXPECT_EQ(s.state.Flakes[100][0].y, 2);
}
