#include "fixture.h"
#include "wallpaper_support.h"

using testing_support::Program;
using namespace wallpaper_support;

TEST(Preview, SelectingAValidEntryShowsItAndLeavesTheDesktopAlone) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED, 6, 4), p.picture("b.jpg", BLUE, 2, 9)});
    auto index = w.rotationIndex;
    int writes = p.os.fs.replaceCalls;
    for (long entry : {1L, 0L}) {
        w.Wallpaper.setListIndex(entry);
        ASSERT_TRUE(w.im.picture());
        EXPECT_EQ(w.im.picture()->at(0, 0), entry == 0 ? RED : BLUE);
        EXPECT_EQ(w.im.picture()->width, entry == 0 ? 6 : 2);
    }
    EXPECT_EQ(p.os.decodes, 2);
    EXPECT_TRUE(p.os.wallpaperCalls.empty());
    EXPECT_EQ(p.os.fs.replaceCalls, writes);
    EXPECT_EQ(p.read("KALO.bmp"), "<missing>");
    EXPECT_EQ(w.rotationIndex, index);
    EXPECT_TRUE(p.os.boxes.empty());
}

TEST(Preview, EntryThatCannotBeLoadedIsReportedAndThePreviewKeepsItsPicture) {
    struct Case {
        const char* what;
        const char* bytes; // nullptr: no file
    };
    for (auto [what, bytes] : {Case{"deleted", nullptr}, Case{"undecodable", "\x89PNG broken"},
                               Case{"zero size picture", "PIC 0 0 1"}}) {
        SCOPED_TRACE(what);
        Program p;
        if (bytes) p.write("bad.png", bytes);
        auto& w = withEntries(p, {p.picture("a.jpg", RED), p.path("bad.png")});
        w.Wallpaper.setListIndex(0);
        auto shown = w.im.picture();
        w.Wallpaper.setListIndex(1);
        ASSERT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.boxes[0].text, p.path("bad.png") + " missing!");
        EXPECT_EQ(p.os.boxes[0].title, "Missing File");
        EXPECT_EQ(p.os.boxes[0].style, 48);
        EXPECT_EQ(w.im.picture(), shown);
        EXPECT_EQ(w.Wallpaper.count(), 2);
        EXPECT_TRUE(p.os.wallpaperCalls.empty());
    }
}

TEST(Preview, EachSelectionOfAMissingEntryIsReportedAgain) {
    Program p;
    auto& w = withEntries(p, {p.path("gone.jpg")});
    w.Wallpaper.setListIndex(0);
    w.Wallpaper.setListIndex(0);
    EXPECT_EQ(p.os.boxes.size(), 2u);
}

TEST(Preview, ClearingTheSelectionLoadsNothing) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED)});
    w.Wallpaper.setListIndex(-1);
    w.Wallpaper_Click(); // a stray click with nothing selected
    EXPECT_EQ(p.os.decodes, 0);
    EXPECT_TRUE(p.os.boxes.empty());
    EXPECT_FALSE(w.im.picture());
}
