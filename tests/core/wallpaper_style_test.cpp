#include "fixture.h"

using testing_support::Program;

namespace {

std::optional<std::string> desktopValue(Program& p, const std::string& name) {
    return p.os.reg.text(settings::DESKTOP_KEY, name);
}

std::vector<bool> checkMarks(app::Kalo1& tray) {
    return {tray.kalomenu[0].checked(), tray.kalomenu[1].checked(), tray.kalomenu[2].checked()};
}

} // namespace

TEST(WallpaperStyle, EachItemWritesItsValuesChecksItselfAndReapplies) {
    struct Case {
        int index;
        const char* caption;
        const char* tile;
        const char* style;
        std::vector<bool> marks;
    };
    Case cases[] = {
        {0, "Centered", "0", "0", {true, false, false}},
        {1, "Tiled", "1", "1", {false, true, false}},
        {2, "Stretched", "0", "2", {false, false, true}},
    };
    Program p;
    p.app->start();
    auto& tray = p.tray();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        std::size_t calls = p.os.wallpaperCalls.size();
        EXPECT_EQ(tray.kalomenu[std::size_t(c.index)].caption(), c.caption);
        tray.kalomenu[std::size_t(c.index)].click();
        EXPECT_EQ(desktopValue(p, "TileWallpaper"), c.tile);
        EXPECT_EQ(desktopValue(p, "WallpaperStyle"), c.style);
        EXPECT_EQ(p.os.reg.get(settings::DESKTOP_KEY, "WallpaperStyle")->type, platform::REG_SZ_T);
        EXPECT_EQ(checkMarks(tray), c.marks);
        ASSERT_EQ(p.os.wallpaperCalls.size(), calls + 1);
        EXPECT_EQ(p.os.wallpaperCalls.back(), std::nullopt) << "the re-apply names no file";
    }
    EXPECT_EQ(p.read("KALO.bmp"), "<missing>");
    EXPECT_EQ(p.os.decodes, 0);
}

TEST(WallpaperStyle, ClickingTheCheckedItemWritesAndReappliesAgain) {
    Program p;
    p.app->start();
    auto& tiled = p.tray().kalomenu[1];
    tiled.click();
    p.os.reg.putText(settings::DESKTOP_KEY, "TileWallpaper", "0");
    p.os.reg.putText(settings::DESKTOP_KEY, "WallpaperStyle", "2");
    tiled.click();
    EXPECT_EQ(desktopValue(p, "TileWallpaper"), "1");
    EXPECT_EQ(desktopValue(p, "WallpaperStyle"), "1");
    EXPECT_EQ(p.os.wallpaperCalls.size(), 2u);
    EXPECT_TRUE(tiled.checked());
}

TEST(WallpaperStyle, StyleClickLeavesTheRotationAndTheBitmapAlone) {
    Program p;
    p.app->start();
    auto& w = p.main();
    w.Wallpaper.add(p.picture("a.jpg"));
    w.rotationIndex = 0;
    w.ApplyWallpaper();
    std::string bitmap = p.read("KALO.bmp");
    int writes = p.os.fs.replaceCalls;
    p.tray().kalomenu[2].click();
    EXPECT_EQ(w.rotationIndex, 0);
    EXPECT_EQ(p.os.fs.replaceCalls, writes);
    EXPECT_EQ(p.read("KALO.bmp"), bitmap);
    EXPECT_EQ(p.os.wallpaperCalls.back(), std::nullopt);
}

TEST(WallpaperStyle, FailedRegistryWritesStillReapply) {
    Program p;
    p.app->start();
    p.os.reg.failWrites = true;
    p.tray().kalomenu[0].click();
    EXPECT_EQ(desktopValue(p, "TileWallpaper"), std::nullopt);
    EXPECT_EQ(p.os.wallpaperCalls, std::vector<std::optional<std::string>>{std::nullopt});
    EXPECT_EQ(checkMarks(p.tray()), (std::vector<bool>{true, false, false}));
}

TEST(WallpaperStyle, UnknownStyleChangesNothing) {
    Program p;
    p.app->start();
    auto& tray = p.tray();
    tray.kalomenu[1].click();
    for (int style : {-1, 3, 32767})
        tray.SetWallpaperStyle(style);
    EXPECT_EQ(checkMarks(tray), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(desktopValue(p, "WallpaperStyle"), "1");
}
