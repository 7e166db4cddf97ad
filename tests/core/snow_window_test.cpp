// The snow window: layered once, refitted and restarted at every resize, one frame
// every 125 ms while the snow is on.
#include "fixture.h"
#include "snow/kalo3.h"
#include "snow_support.h"

using snow::BLACK;
using snow::WHITE;
using snow_support::countColour;
using testing_support::Program;

namespace {

// Starts the program so that the start-up leaves the snow window hidden whatever
// else it restores: snow off, "Snow on top" cleared, the rotation stopped.
snow::Kalo3& startWithSnowHidden(Program& p) {
    p.setAppSetting("check1s", "check1t", "0");
    p.setAppSetting("cmdrun", "cmdstop", "0");
    p.main();
    return p.app->kalo3();
}

void storeSnow(Program& p, const char* s1, const char* s2, const char* s3, const char* s4) {
    const char* values[] = {s1, s2, s3, s4};
    const char* names[] = {"s1", "s2", "s3", "s4"};
    for (int k = 0; k < 4; ++k)
        if (values[k]) p.setProgramValue(names[k], values[k]);
}

struct FrameCounter {
    std::shared_ptr<int> frames = std::make_shared<int>(0);
    void attach(snow::Kalo3& overlay) const {
        overlay.Picture1.presented = [frames = frames] { ++*frames; };
    }
    int count() const { return *frames; }
};

} // namespace

TEST(SnowWindow, IsMadeLayeredOnceWhenFirstReferred) {
    Program p;
    auto& overlay = startWithSnowHidden(p);
    EXPECT_EQ(p.os.layeredCalls, 1);
    p.main().snow1_Click();
    p.main().snow2_Click();
    EXPECT_EQ(&p.app->kalo3(), &overlay);
    EXPECT_EQ(p.os.layeredCalls, 1);
    EXPECT_EQ(overlay.Timer1.interval(), 125);
}

TEST(SnowWindow, ShowingItRefitsThePictureToTheScreenAndDrawsAFrame) {
    Program p;
    p.os.metrics = {1366, 768, 15, 15};
    auto& overlay = startWithSnowHidden(p);
    storeSnow(p, "3", "10", "5", "6");
    FrameCounter frames;
    frames.attach(overlay);
    p.main().snow1_Click();
    EXPECT_TRUE(overlay.window.visible());
    EXPECT_EQ(overlay.Picture1.width(), 1366 * 15);
    EXPECT_EQ(overlay.Picture1.height(), 768 * 15);
    EXPECT_EQ(overlay.Picture1.widthPixels(), 1366);
    EXPECT_EQ(overlay.Picture1.heightPixels(), 768);
    EXPECT_EQ(frames.count(), 1);
    EXPECT_GT(countColour(overlay.Picture1, WHITE), 44);
    EXPECT_TRUE(p.app->snow().SnowLayers.holdsText());
    EXPECT_EQ(p.app->snow().SnowSize.number(), 6);
}

TEST(SnowWindow, EveryResizePlacesTheFlakesTwiceOverTheWindow) {
    Program p;
    snow_support::ScriptedRandom random;
    p.app->snow().random = random.source();
    auto& overlay = startWithSnowHidden(p);
    storeSnow(p, "1", "2", "1", "1");
    long before = *random.calls;
    p.main().snow1_Click();
    EXPECT_EQ(*random.calls - before, 2 * 2 * 2 * 3); // preparation, then the resize
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 2; ++j) {
            auto flake = p.app->snow().Flakes[i][j];
            EXPECT_GE(flake.x, 1);
            EXPECT_LE(flake.x, overlay.window.width());
        }
    overlay.window.resized(15000, 9000);
    EXPECT_EQ(*random.calls - before, 2 * 24);
    EXPECT_EQ(overlay.Picture1.widthPixels(), 1000);
    EXPECT_LE(p.app->snow().Flakes[1][2].x, 15000);
}

TEST(SnowWindow, MakesOneFrameEvery125MillisecondsWhileTheSnowIsOn) {
    Program p;
    auto& overlay = startWithSnowHidden(p);
    storeSnow(p, "0", "0", "3", "1");
    FrameCounter frames;
    frames.attach(overlay);
    p.main().snow1_Click();
    int y = p.app->snow().Flakes[0][0].y;
    p.os.advance(1000);
    EXPECT_EQ(frames.count(), 1 + 8);
    EXPECT_EQ(p.app->snow().Flakes[0][0].y, y + 8 * 3);
    p.main().snow2_Click();
    p.os.advance(1000);
    EXPECT_EQ(frames.count(), 1 + 8 + 1); // the clear at switching off, then nothing
    EXPECT_EQ(p.app->snow().Flakes[0][0].y, y + 8 * 3);
}

TEST(SnowWindow, NothingStoredClearsEveryFrameAndPlacesNoFlake) {
    Program p;
    auto& overlay = startWithSnowHidden(p);
    FrameCounter frames;
    frames.attach(overlay);
    p.main().snow1_Click();
    p.os.advance(500);
    EXPECT_EQ(frames.count(), 1 + 4);
    EXPECT_EQ(countColour(overlay.Picture1, BLACK), 1920L * 1080L);
    EXPECT_TRUE(snow_support::allFlakesZero(p.app->snow().Flakes));
}

TEST(SnowWindow, WithSpeedMissingTheFlakesAreDrawnButDoNotFall) {
    Program p;
    auto& overlay = startWithSnowHidden(p);
    storeSnow(p, "4", "20", nullptr, "5");
    p.main().snow1_Click();
    auto before = p.app->snow().Flakes;
    long white = countColour(overlay.Picture1, WHITE);
    p.os.advance(1000);
    EXPECT_GT(white, 105); // 105 flakes, most of them larger than a pixel
    EXPECT_TRUE(snow_support::sameTable(before, p.app->snow().Flakes));
    EXPECT_EQ(countColour(overlay.Picture1, WHITE), white);
}

TEST(SnowWindow, WithSizeMissingTheFlakesFallButNothingIsDrawn) {
    Program p;
    auto& overlay = startWithSnowHidden(p);
    storeSnow(p, "4", "20", "5", nullptr);
    p.main().snow1_Click();
    auto before = p.app->snow().Flakes;
    p.os.advance(1000);
    EXPECT_FALSE(snow_support::sameTable(before, p.app->snow().Flakes));
    EXPECT_EQ(countColour(overlay.Picture1, BLACK), 1920L * 1080L);
}
