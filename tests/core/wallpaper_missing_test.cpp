// An entry whose picture cannot be loaded: reported once, the desktop keeps the last
// good picture, and the rotation goes on.
#include "fixture.h"
#include "wallpaper_bmp_reader.h"
#include "wallpaper_support.h"

using testing_support::Program;
using namespace wallpaper_support;
using testing_support::readBmp;

TEST(MissingEntry, ReportedOnceAndTheDesktopKeepsTheLastGoodPicture) {
    struct Case {
        const char* what;
        const char* bytes; // nullptr: no file at all
    };
    for (auto [what, bytes] : {Case{"deleted", nullptr}, Case{"not a picture", "GIF89a garbage"},
                               Case{"empty file", ""}}) {
        SCOPED_TRACE(what);
        Program p;
        std::string broken = p.path("broken.jpg");
        if (bytes) p.write("broken.jpg", bytes);
        auto& w = withEntries(p, {p.picture("a.jpg", RED), broken, p.picture("c.jpg", BLUE)});
        applyAt(w, 0);
        auto shown = w.im.picture();
        int writes = p.os.fs.replaceCalls;
        applyAt(w, 1);
        ASSERT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.boxes[0].text, broken + " missing!");
        EXPECT_EQ(p.os.boxes[0].title, "Missing File");
        EXPECT_EQ(p.os.boxes[0].style, 48);
        EXPECT_EQ(p.os.fs.replaceCalls, writes) << "no bitmap written";
        EXPECT_EQ(p.os.wallpaperCalls.size(), 1u) << "no wallpaper call";
        EXPECT_EQ(bitmapCorner(p), RED);
        EXPECT_EQ(w.im.picture(), shown) << "the preview keeps its picture";
        EXPECT_EQ(w.Wallpaper.count(), 3) << "the entry stays in the list";
        applyAt(w, 2);
        EXPECT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.wallpaperCalls.size(), 2u);
        EXPECT_EQ(bitmapCorner(p), BLUE);
    }
}

TEST(MissingEntry, FirstEntryMissingBeforeAnythingWasAppliedWritesNothing) {
    Program p;
    auto& w = withEntries(p, {p.path("gone.jpg"), p.picture("b.jpg", BLUE)});
    applyAt(w, 0);
    EXPECT_EQ(p.os.boxes.size(), 1u);
    EXPECT_FALSE(w.im.picture());
    EXPECT_EQ(p.read("KALO.bmp"), "<missing>");
    EXPECT_TRUE(p.os.wallpaperCalls.empty());
}

TEST(MissingEntry, EntryDeletedSinceItsLastApplyIsNotAppliedFromTheOldPicture) {
    struct Case {
        const char* what;
        std::vector<long> before; // positions applied before the file goes
    };
    for (const auto& [what, before] :
         {Case{"applied last", {0}}, Case{"applied earlier", {0, 1}}}) {
        SCOPED_TRACE(what);
        Program p;
        std::string a = p.picture("a.jpg", RED);
        auto& w = withEntries(p, {a, p.picture("b.jpg", BLUE)});
        for (long index : before)
            applyAt(w, index);
        std::uint32_t desktop = bitmapCorner(p);
        std::filesystem::remove(a);
        applyAt(w, 0);
        EXPECT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.wallpaperCalls.size(), before.size());
        EXPECT_EQ(bitmapCorner(p), desktop);
    }
}

TEST(MissingEntry, TicksWhileTheBoxIsOpenOpenNoSecondBox) {
    Program p;
    auto& w = withEntries(p, {p.path("gone1.jpg"), p.path("gone2.jpg"), p.picture("c.jpg", BLUE),
                              p.path("gone3.jpg")});
    // Two ticks arrive while the first report is on screen: one missing, one good.
    p.os.whileBoxOpen = [&] {
        applyAt(w, 1);
        applyAt(w, 2);
    };
    applyAt(w, 0);
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, p.path("gone1.jpg") + " missing!");
    ASSERT_EQ(p.os.wallpaperCalls.size(), 1u) << "the good entry was applied meanwhile";
    EXPECT_EQ(bitmapCorner(p), BLUE) << "the closed box's entry did not overwrite it";
    applyAt(w, 3);
    ASSERT_EQ(p.os.boxes.size(), 2u) << "with the box closed, the next failure is reported";
    EXPECT_EQ(p.os.boxes[1].text, p.path("gone3.jpg") + " missing!");
    EXPECT_EQ(p.os.wallpaperCalls.size(), 1u);
}
