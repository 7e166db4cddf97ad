#include "fixture.h"
#include "wallpaper_bmp_reader.h"
#include "wallpaper_support.h"

using testing_support::Program;
using namespace wallpaper_support;
using testing_support::readBmp;

namespace {

// Every pixel of the bitmap the desktop was pointed at, when it is one colour.
std::optional<std::uint32_t> bitmapColour(Program& p) {
    auto picture = readBmp(p.read("KALO.bmp"));
    if (!picture) return std::nullopt;
    for (auto pixel : picture->pixels)
        if (pixel != picture->pixels.front()) return std::nullopt;
    return picture->pixels.front();
}

} // namespace

TEST(Applier, TwoAppliesLeaveTheSecondPictureInKaloBmp) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED, 4, 3), p.picture("b.gif", BLUE, 5, 2)});
    applyAt(w, 0);
    applyAt(w, 1);
    auto written = readBmp(p.read("KALO.bmp"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->width, 5);
    EXPECT_EQ(written->height, 2);
    EXPECT_EQ(bitmapColour(p), BLUE);
    std::vector<std::optional<std::string>> expected(2, p.path("KALO.bmp"));
    EXPECT_EQ(p.os.wallpaperCalls, expected);
}

TEST(Applier, AppliedEntryIsHighlightedAndPreviewed) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED), p.picture("b.jpg", BLUE)});
    applyAt(w, 1);
    EXPECT_EQ(w.Wallpaper.listIndex(), 1);
    ASSERT_TRUE(w.im.picture());
    EXPECT_EQ(w.im.picture()->at(0, 0), BLUE);
    EXPECT_EQ(w.rotationIndex, 1) << "the applier reads the position, never moves it";
}

TEST(Applier, BitmapEntryIsWrittenAnewAndNeverNamedToTheDesktop) {
    Program p;
    std::string entry = p.picture("own.bmp", GREEN);
    std::string entryBytes = p.read("own.bmp");
    auto& w = withEntries(p, {entry});
    applyAt(w, 0);
    EXPECT_EQ(bitmapColour(p), GREEN);
    EXPECT_NE(p.read("KALO.bmp"), entryBytes);
    EXPECT_EQ(p.read("own.bmp"), entryBytes) << "the entry's own file is left alone";
    ASSERT_EQ(p.os.wallpaperCalls.size(), 1u);
    EXPECT_EQ(p.os.wallpaperCalls[0], p.path("KALO.bmp"));
}

TEST(Applier, DecodesTheEntryOncePerApply) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED), p.picture("b.jpg", BLUE)});
    for (long index : {0, 1, 1, 0}) {
        int before = p.os.decodes;
        applyAt(w, index);
        EXPECT_EQ(p.os.decodes - before, 1) << "index " << index;
    }
    EXPECT_EQ(bitmapColour(p), RED);
}

TEST(Applier, EmptyPositionAppliesTheFirstEntry) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED), p.picture("b.jpg", BLUE)});
    w.rotationIndex.reset();
    w.ApplyWallpaper();
    EXPECT_EQ(w.Wallpaper.listIndex(), 0);
    EXPECT_EQ(bitmapColour(p), RED);
    EXPECT_FALSE(w.rotationIndex.has_value());
}

TEST(Applier, PositionOutsideTheListChangesNothing) {
    Program p;
    auto& w = withEntries(p, {p.picture("a.jpg", RED), p.picture("b.jpg", BLUE)});
    for (long index : {-1L, 2L, 40000L})
        applyAt(w, index);
    withEntries(p, {});
    applyAt(w, 0);
    EXPECT_TRUE(p.os.wallpaperCalls.empty());
    EXPECT_TRUE(p.os.boxes.empty());
    EXPECT_EQ(p.read("KALO.bmp"), "<missing>");
}

TEST(Applier, ProgramAtADriveRootGivesTwoSeparatorsBeforeTheBitmap) {
    Program p;
    p.os.where.folder = p.folder + "/"; // a root folder keeps its separator
    auto& w = withEntries(p, {p.picture("a.jpg", RED)});
    applyAt(w, 0);
    std::string path = p.folder + "//KALO.bmp";
    EXPECT_EQ(w.bitmapPath(), path);
    ASSERT_EQ(p.os.wallpaperCalls.size(), 1u);
    EXPECT_EQ(p.os.wallpaperCalls[0], path);
    EXPECT_TRUE(readBmp(p.os.fs.read(path).value_or("")));
}

TEST(Applier, UnwritableProgramFolderPutsTheBitmapInTheUserDataFolder) {
    Program p;
    p.os.fs.readOnlyFolders.push_back(p.folder);
    auto& w = withEntries(p, {p.picture("a.jpg", RED)});
    applyAt(w, 0);
    std::string path = p.os.where.userDataFolder + "/KALO.bmp";
    ASSERT_EQ(p.os.wallpaperCalls.size(), 1u);
    EXPECT_EQ(p.os.wallpaperCalls[0], path);
    EXPECT_TRUE(readBmp(p.os.fs.read(path).value_or("")));
}

TEST(Applier, BitmapThatCannotBeWrittenIsNeverHandedToTheDesktop) {
    using Step = fake::FakeFiles::Step;
    for (auto step : {Step::CreateTemp, Step::WriteHalf, Step::Flush, Step::Rename}) {
        SCOPED_TRACE(int(step));
        Program p;
        auto& w = withEntries(p, {p.picture("a.jpg", RED), p.picture("b.jpg", BLUE)});
        applyAt(w, 0);
        p.os.fs.failAt = step;
        applyAt(w, 1);
        EXPECT_EQ(p.os.wallpaperCalls.size(), 1u);
        EXPECT_EQ(bitmapColour(p), RED) << "the last good bitmap stays whole";
        EXPECT_TRUE(p.os.boxes.empty());
    }
}
