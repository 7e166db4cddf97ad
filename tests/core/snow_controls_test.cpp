// The snow controls of the main window: the switch, "Snow on top", the sliders, the
// snow reset and the snow steps of the start-up.
#include "fixture.h"
#include "snow/kalo3.h"
#include "snow_support.h"

using snow::BLACK;
using testing_support::Program;

namespace {

// Starts the program with the snow window hidden and nothing snow-related stored
// beyond what the test adds: "Snow on top" cleared, the rotation stopped.
app::Kalo2& startQuietly(Program& p) {
    p.setAppSetting("check1s", "check1t", "0");
    p.setAppSetting("cmdrun", "cmdstop", "0");
    return p.main();
}

// A list file of two pictures, so the start-up runs through to its last step.
void prepareFullStart(Program& p) {
    p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp"), p.picture("b.bmp")}));
    p.setAppSetting("cmdrun", "cmdstop", "0");
}

platform::ScreenMetrics oddScreen() {
    return {1366, 768, 15, 15};
}

} // namespace

TEST(SnowSwitch, OnlyTheExactTextOnStartsTheSnow) {
    struct Case {
        const char* stored; // nullptr: nothing stored
        bool on;
    };
    for (auto c : {Case{"on", true}, Case{"On", false}, Case{"ON", false}, Case{"on ", false},
                   Case{"off", false}, Case{nullptr, false}}) {
        Program p;
        if (c.stored) p.setProgramValue("snow", c.stored);
        auto& main = startQuietly(p);
        const char* label = c.stored ? c.stored : "(missing)";
        ASSERT_TRUE(p.app->kalo3Loaded()) << label;
        auto& overlay = p.app->kalo3();
        EXPECT_EQ(p.programValue("snow"), c.on ? "on" : "off") << label;
        EXPECT_EQ(overlay.window.visible(), c.on) << label;
        EXPECT_EQ(overlay.Timer1.enabled(), c.on) << label;
        EXPECT_EQ(main.snow1.visible(), !c.on) << label;
        EXPECT_EQ(main.snow2.visible(), c.on) << label;
    }
}

TEST(SnowSwitch, OffStopsTheTimerClearsHidesAndKeepsTheFlakes) {
    Program p;
    p.setProgramValue("snow", "on");
    for (const char* name : {"s1", "s2", "s3", "s4"})
        p.setProgramValue(name, "5");
    auto& main = startQuietly(p);
    auto& overlay = p.app->kalo3();
    ASSERT_LT(snow_support::countColour(overlay.Picture1, BLACK), 1920L * 1080L);
    auto flakes = p.app->snow().Flakes;
    main.snow2.click();
    EXPECT_EQ(snow_support::countColour(overlay.Picture1, BLACK), 1920L * 1080L);
    EXPECT_FALSE(overlay.window.visible());
    EXPECT_FALSE(overlay.Timer1.enabled());
    EXPECT_TRUE(snow_support::sameTable(flakes, p.app->snow().Flakes));
    EXPECT_EQ(p.programValue("snow"), "off");
    main.snow1.click();
    EXPECT_TRUE(overlay.window.visible());
    EXPECT_TRUE(overlay.Timer1.enabled());
    EXPECT_EQ(&p.app->kalo3(), &overlay);
    EXPECT_EQ(p.os.layeredCalls, 1);
}

TEST(SnowOnTop, TickingRaisesTheWindowOverTheWholeScreenAndStoresTheState) {
    struct Case {
        int value;
        bool topMost;
        const char* stored;
    };
    for (auto c : {Case{1, true, "1"}, Case{2, false, "0"}}) {
        Program p;
        p.os.metrics = oddScreen();
        auto& main = startQuietly(p);
        p.os.topMostCalls.clear();
        main.Check1.setValue(c.value);
        ASSERT_EQ(p.os.topMostCalls.size(), 1u) << c.value;
        EXPECT_EQ(p.os.topMostCalls[0].topMost, c.topMost) << c.value;
        EXPECT_EQ(p.os.topMostCalls[0].width, 1366);
        EXPECT_EQ(p.os.topMostCalls[0].height, 768);
        EXPECT_EQ(p.appSetting("check1s", "check1t"), c.stored) << c.value;
    }
}

TEST(SnowOnTop, TickingWhileTheSnowIsOffShowsTheWindowWithItsTimerStopped) {
    Program p;
    auto& main = startQuietly(p);
    auto& overlay = p.app->kalo3();
    ASSERT_FALSE(overlay.window.visible());
    main.Check1.setValue(1);
    EXPECT_TRUE(overlay.window.visible());
    EXPECT_FALSE(overlay.Timer1.enabled());
    main.Check1.setValue(0);
    EXPECT_FALSE(p.os.topMostCalls.back().topMost);
    EXPECT_EQ(p.appSetting("check1s", "check1t"), "0");
}

TEST(SnowOnTop, AtStartWithTheSnowOffTheShownWindowHoldsNoFrozenFlakes) {
    Program p;
    prepareFullStart(p);
    p.setProgramValue("snow", "off");
    for (auto [name, value] : {std::pair{"s1", "20"}, {"s2", "50"}, {"s3", "10"}, {"s4", "5"}})
        p.setProgramValue(name, value);
    p.app->start(); // "Snow on top" reads as ticked: the window is shown and refitted
    auto& overlay = p.app->kalo3();
    ASSERT_TRUE(overlay.window.visible());
    EXPECT_EQ(snow_support::countColour(overlay.Picture1, BLACK),
              long(overlay.Picture1.widthPixels()) * overlay.Picture1.heightPixels());
    p.main().snow1_Click();
    p.os.advance(125);
    EXPECT_LT(snow_support::countColour(overlay.Picture1, BLACK),
              long(overlay.Picture1.widthPixels()) * overlay.Picture1.heightPixels())
        << "switched on, the flakes show from the next frame";
}

TEST(SnowSliders, EachStoresItsPositionAndSetsItsParameter) {
    Program p;
    auto& main = startQuietly(p);
    struct Case {
        ui::Slider& slider;
        snow::SnowParam& param;
        const char* name;
        int position;
    };
    auto& snow = p.app->snow();
    for (auto c : {Case{main.Slider1_Layers, snow.SnowLayers, "s1", 17},
                   Case{main.Slider2_Density, snow.SnowDensity, "s2", 64},
                   Case{main.Slider3_Speed, snow.SnowSpeed, "s3", 33},
                   Case{main.Slider4_Size, snow.SnowSize, "s4", 9}}) {
        c.slider.move(c.position);
        EXPECT_EQ(p.programValue(c.name), std::to_string(c.position));
        EXPECT_FALSE(c.param.holdsText()) << c.name;
        EXPECT_EQ(c.param.number(), c.position) << c.name;
    }
    EXPECT_FALSE(p.app->kalo3().window.visible()); // nothing shown while the snow is off
}

TEST(SnowSliders, RaisingDensityReplacesEveryFlakeIncludingTheOldOnes) {
    Program p;
    snow_support::ScriptedRandom random;
    random.step = 0.0007;
    p.app->snow().random = random.source();
    p.setProgramValue("snow", "on"); // the window has its full size
    auto& main = startQuietly(p);
    main.Slider1_Layers.move(3);
    main.Slider2_Density.move(10);
    auto before = p.app->snow().Flakes;
    long calls = *random.calls;
    main.Slider2_Density.move(20);
    EXPECT_EQ(*random.calls - calls, 2L * 4 * 21);
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 20; ++j) {
            const auto& flake = p.app->snow().Flakes[i][j];
            EXPECT_NE(flake.x, before[i][j].x) << i << "," << j;
        }
}

TEST(SnowSliders, SpeedAndSizeReplaceNothing) {
    Program p;
    auto& main = startQuietly(p);
    main.Slider1_Layers.move(3);
    main.Slider2_Density.move(10);
    auto before = p.app->snow().Flakes;
    main.Slider3_Speed.move(7);
    main.Slider4_Size.move(4);
    EXPECT_TRUE(snow_support::sameTable(before, p.app->snow().Flakes));
    EXPECT_EQ(p.app->snow().SnowSpeed.number(), 7);
    EXPECT_EQ(p.app->snow().SnowSize.number(), 4);
}

TEST(SnowSliders, ANewSpeedTakesEffectAtTheNextFrame) {
    Program p;
    p.setProgramValue("snow", "on");
    for (const char* name : {"s1", "s2", "s3", "s4"})
        p.setProgramValue(name, "1");
    auto& main = startQuietly(p);
    main.Slider1_Layers.move(2); // re-places, then stores; L = 2 from here on
    auto& flake = p.app->snow().Flakes[2][0];
    int y = flake.y;
    main.Slider3_Speed.move(6);
    EXPECT_EQ(flake.y, y);
    p.os.advance(125);
    EXPECT_EQ(flake.y, y + 6); // farthest layer: step V
}

TEST(SnowReset, LeavesTheSlidersAtTheirMinimumTheSnowOffAndTheWindowNotTopMost) {
    Program p;
    p.os.metrics = oddScreen();
    p.setProgramValue("snow", "on");
    auto& main = startQuietly(p);
    main.Slider1_Layers.move(20);
    main.Slider2_Density.move(50);
    main.Slider3_Speed.move(30);
    main.Slider4_Size.move(8);
    main.Check1.setValue(1);
    p.os.topMostCalls.clear();

    main.resetsnow.click();

    // A position below a slider's minimum stands at the minimum, and the change
    // notification stores what the slider shows.
    for (const char* name : {"s1", "s2", "s3", "s4"})
        EXPECT_EQ(p.programValue(name), "1") << name;
    for (auto* slider :
         {&main.Slider1_Layers, &main.Slider2_Density, &main.Slider3_Speed, &main.Slider4_Size})
        EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(p.app->snow().SnowSize.number(), 1);
    EXPECT_EQ(p.programValue("snow"), "off");
    EXPECT_EQ(p.appSetting("check1s", "check1t"), "0");
    EXPECT_EQ(main.Check1.value(), 0);
    EXPECT_TRUE(main.snow1.visible());
    ASSERT_EQ(p.os.topMostCalls.size(), 2u); // the check box's own, then the reset's
    for (const auto& call : p.os.topMostCalls) {
        EXPECT_FALSE(call.topMost);
        EXPECT_EQ(call.width, 1366);
        EXPECT_EQ(call.height, 768);
    }
    auto& overlay = p.app->kalo3();
    EXPECT_TRUE(overlay.window.visible()); // shown again by the z-order change
    EXPECT_FALSE(overlay.Timer1.enabled());
}

TEST(SnowReset, SurvivesAStoreThatTakesNoWrites) {
    Program p;
    auto& main = startQuietly(p);
    main.Slider2_Density.move(40);
    p.os.reg.failWrites = true;
    EXPECT_NO_THROW(main.resetsnow.click());
    EXPECT_EQ(main.Slider2_Density.value(), 40); // read back "40": unchanged
    EXPECT_EQ(main.Slider1_Layers.value(), 1);   // nothing to read back: left alone
    EXPECT_EQ(main.Check1.value(), 0);
    EXPECT_FALSE(p.os.topMostCalls.back().topMost);
}

TEST(SnowStartup, RestoresTheSlidersFromTheStoreInOrder) {
    struct Case {
        const char* values[4]; // nullptr: not stored
        int expected[4];
        const char* storedAfter[4];
    };
    const Case cases[] = {
        {{"7", "30", "4", "3"}, {7, 30, 4, 3}, {"7", "30", "4", "3"}},
        {{"7", "30", nullptr, "3"}, {7, 30, 1, 1}, {"7", "30", nullptr, "3"}},
        {{"80", "0", "2.5", "-4"}, {50, 1, 2, 1}, {"50", "1", "2", "1"}}, // clamped and stored
    };
    const char* names[] = {"s1", "s2", "s3", "s4"};
    for (const auto& c : cases) {
        Program p;
        prepareFullStart(p);
        for (int k = 0; k < 4; ++k)
            if (c.values[k]) p.setProgramValue(names[k], c.values[k]);
        auto& main = p.main();
        const ui::Slider* sliders[] = {&main.Slider1_Layers, &main.Slider2_Density,
                                       &main.Slider3_Speed, &main.Slider4_Size};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(sliders[k]->value(), c.expected[k]) << c.values[0] << " " << names[k];
            auto stored = p.programValue(names[k]);
            if (c.storedAfter[k])
                EXPECT_EQ(stored, c.storedAfter[k]) << names[k];
            else
                EXPECT_FALSE(stored.has_value()) << names[k];
        }
    }
}

TEST(SnowStartup, SnowOnTopIsTickedUnlessStoredCleared) {
    struct Case {
        const char* stored; // nullptr: never stored
        int value;
        std::size_t raises;
    };
    for (auto c : {Case{nullptr, 1, 1}, Case{"1", 1, 1}, Case{"True", 1, 1}, Case{"0", 0, 0}}) {
        Program p;
        p.os.metrics = oddScreen();
        prepareFullStart(p);
        if (c.stored) p.setAppSetting("check1s", "check1t", c.stored);
        auto& main = p.main();
        const char* label = c.stored ? c.stored : "(missing)";
        EXPECT_EQ(main.Check1.value(), c.value) << label;
        ASSERT_EQ(p.os.topMostCalls.size(), c.raises) << label;
        if (c.raises) {
            EXPECT_TRUE(p.os.topMostCalls[0].topMost);
            EXPECT_EQ(p.os.topMostCalls[0].width, 1366);
            EXPECT_EQ(p.appSetting("check1s", "check1t"), "1") << label;
            EXPECT_TRUE(p.app->kalo3().window.visible());
        }
    }
}
