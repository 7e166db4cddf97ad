// The applier driven by the real rotation timers on the virtual clock.
#include "fixture.h"
#include "wallpaper_bmp_reader.h"
#include "wallpaper_support.h"

using testing_support::listBytes;
using testing_support::Program;
using namespace wallpaper_support;
using testing_support::readBmp;

namespace {

// A rotation left running every second over the given entries, resumed at start.
app::Kalo2& runningEverySecond(Program& p, std::initializer_list<std::string> entries) {
    p.write("KALO DC.dat", listBytes(entries));
    p.setProgramValue("C1", "1");
    p.setProgramValue("C2", "Second(s)");
    auto& w = p.main();
    EXPECT_TRUE(w.Timer1.enabled());
    return w;
}

} // namespace

TEST(RotationApply, MissingEntryIsSkippedAndTheNextTickAppliesTheNextEntry) {
    Program p;
    std::string gone = p.path("gone.jpg");
    runningEverySecond(p, {p.picture("b.jpg", RED), gone, p.picture("c.jpg", BLUE)});
    p.os.advance(1);   // start tick: first entry
    p.os.advance(999); // first interval: first entry again
    ASSERT_EQ(p.os.wallpaperCalls.size(), 2u);
    p.os.advance(1000); // the missing entry
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, gone + " missing!");
    EXPECT_EQ(p.os.boxes[0].title, "Missing File");
    EXPECT_EQ(p.os.boxes[0].style, 48);
    EXPECT_EQ(p.os.wallpaperCalls.size(), 2u);
    EXPECT_EQ(bitmapCorner(p), RED);
    p.os.advance(1000); // the rotation went on
    EXPECT_EQ(p.os.wallpaperCalls.size(), 3u);
    EXPECT_EQ(bitmapCorner(p), BLUE);
    EXPECT_EQ(p.os.boxes.size(), 1u);
    for (const auto& call : p.os.wallpaperCalls)
        EXPECT_EQ(call, p.path("KALO.bmp"));
}

TEST(RotationApply, TicksWhileTheMissingFileBoxIsOpenOpenNoSecondBox) {
    Program p;
    auto& w = runningEverySecond(p, {p.picture("b.jpg", RED), p.path("gone1.jpg"),
                                     p.path("gone2.jpg"), p.picture("c.jpg", BLUE)});
    p.os.advance(1000);
    ASSERT_EQ(p.os.wallpaperCalls.size(), 2u);
    // The user leaves the first report on screen while three more ticks come.
    p.os.whileBoxOpen = [&] { p.os.advance(3000); };
    p.os.advance(1000);
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, p.path("gone1.jpg") + " missing!");
    EXPECT_EQ(p.os.wallpaperCalls.size(), 3u) << "the good entry behind the missing ones";
    EXPECT_EQ(bitmapCorner(p), BLUE);
    EXPECT_EQ(w.Wallpaper.listIndex(), 3);
}

TEST(RotationApply, TicksDuringAMissingFileBoxDoNotStopTheRotation) {
    Program p;
    runningEverySecond(p, {p.picture("b.jpg", RED), p.path("gone1.jpg"), p.path("gone2.jpg"),
                           p.picture("c.jpg", BLUE)});
    p.os.advance(1000);
    p.os.whileBoxOpen = [&] { p.os.advance(3000); };
    p.os.advance(1000);
    auto callsAfterTheBox = p.os.wallpaperCalls.size();
    p.os.whileBoxOpen = nullptr;
    p.os.advance(8000);
    EXPECT_GE(p.os.wallpaperCalls.size(), callsAfterTheBox + 3) << "the rotation goes on";
}
