#include "fixture.h"

using platform::FormId;
using testing_support::Program;

namespace {

double twipsFor(int code, double factor = 15) {
    return code * factor;
}

} // namespace

TEST(ShellTray, RightButtonUpBringsTheTrayWindowForwardThenOpensTheMenu) {
    Program p;
    p.app->start();
    auto& tray = p.tray();
    std::vector<FormId> foregroundAtOpen;
    bool busyAtOpen = false;
    p.os.whileMenuOpen = [&] {
        foregroundAtOpen = p.os.foreground;
        busyAtOpen = tray.busy;
    };
    tray.Form_MouseMove(twipsFor(517));
    EXPECT_EQ(p.os.menusOpened, 1);
    EXPECT_EQ(foregroundAtOpen, std::vector<FormId>{FormId::KALO1});
    EXPECT_TRUE(busyAtOpen);
    EXPECT_FALSE(tray.busy) << "cleared once the menu closed";
    EXPECT_EQ(tray.lastNotification, 517.0f);
}

TEST(ShellTray, OtherNotificationsDoNothing) {
    // Mouse move, left down/up/double, right down, right double, middle down.
    for (int code : {512, 513, 514, 515, 516, 518, 519}) {
        SCOPED_TRACE(code);
        Program p;
        p.app->start();
        p.tray().Form_MouseMove(twipsFor(code));
        EXPECT_EQ(p.os.menusOpened, 0);
        EXPECT_TRUE(p.os.foreground.empty());
        EXPECT_FALSE(p.main().window.visible());
        EXPECT_EQ(p.tray().lastNotification, float(code));
        EXPECT_FALSE(p.tray().busy);
    }
}

TEST(ShellTray, CodeIsTheXPositionOverTheScreensTwipsPerPixel) {
    struct Case {
        double factor;
        double x;
        int menus;
    };
    for (auto [factor, x, menus] : {Case{12, twipsFor(517, 12), 1}, Case{12, twipsFor(517), 0},
                                    Case{15, twipsFor(517, 12), 0}}) {
        SCOPED_TRACE(x);
        Program p;
        p.os.metrics.twipsPerPixelX = factor;
        p.app->start();
        p.tray().Form_MouseMove(x);
        EXPECT_EQ(p.os.menusOpened, menus);
    }
}

TEST(ShellTray, RightClickWhileTheMenuIsOpenOpensNoSecondMenu) {
    Program p;
    p.app->start();
    auto& tray = p.tray();
    p.os.whileMenuOpen = [&] {
        if (p.os.menusOpened > 1) return; // a second menu: the guard failed
        tray.Form_MouseMove(twipsFor(517));
        tray.Form_MouseMove(twipsFor(513));
    };
    tray.Form_MouseMove(twipsFor(517));
    EXPECT_EQ(p.os.menusOpened, 1);
    EXPECT_EQ(p.os.foreground.size(), 1u);
    EXPECT_EQ(tray.lastNotification, 513.0f) << "the code is still recorded";
    p.os.whileMenuOpen = nullptr;
    tray.Form_MouseMove(twipsFor(517));
    EXPECT_EQ(p.os.menusOpened, 2) << "once closed, the menu opens again";
}

TEST(ShellTray, ShowMenuShowsTheOneMainWindow) {
    Program p;
    p.app->start();
    auto* main = &p.main();
    main->Wallpaper.add("C:\\Pics\\a.jpg");
    p.os.whileMenuOpen = [&] { p.tray().showmenu.click(); };
    p.tray().Form_MouseMove(twipsFor(517));
    EXPECT_TRUE(main->window.visible());
    p.tray().showmenu.click();
    EXPECT_EQ(&p.main(), main) << "never re-created";
    EXPECT_TRUE(main->window.visible());
    EXPECT_EQ(main->Wallpaper.items(), std::vector<std::string>{"C:\\Pics\\a.jpg"});
}

TEST(ShellTray, MenuCaptionsAndNoStyleCheckedAtStart) {
    Program p;
    p.app->start();
    auto& tray = p.tray();
    std::vector<std::pair<const ui::MenuItem*, std::string>> items = {
        {&tray.showmenu, "Show Menu"},
        {&tray.kalowallpapersstyle, "WallPapers Style"},
        {&tray.kalomenu[0], "Centered"},
        {&tray.kalomenu[1], "Tiled"},
        {&tray.kalomenu[2], "Stretched"},
        {&tray.starupprogram, "Run on StartUp"},
        {&tray.exit, "Exit"}};
    for (const auto& [item, caption] : items) {
        EXPECT_EQ(item->caption(), caption);
        EXPECT_FALSE(item->checked()) << caption;
    }
    EXPECT_EQ(tray.window.caption(), "KALO Desktop Wallpaper Changer [ KALO DC ]");
}
