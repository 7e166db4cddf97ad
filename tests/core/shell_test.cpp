// Start-up, the tray icon and its menu, run at log-on, the about box, ending.
#include "app/kalo4.h"
#include "fixture.h"

using platform::FormId;

namespace {

// The fake platform with a log of the program's two last acts.
struct LoggingOs : fake::FakePlatform {
    using FakePlatform::FakePlatform;
    std::string log;
    void removeTrayIcon() override { FakePlatform::removeTrayIcon(), log += "icon off;"; }
    void endProcess() override { FakePlatform::endProcess(), log += "end;"; }
};

// A started program; `run` is first stored as the Run value, '%' standing for its folder.
struct Shell {
    std::string folder = testing_support::freshFolder();
    LoggingOs os{folder};
    std::unique_ptr<app::App> app = std::make_unique<app::App>(os);
    std::optional<std::string> run;
    std::error_code ignored;

    explicit Shell(bool otherInstance = false, std::string runValue = "") {
        os.otherInstance = otherInstance;
        if (auto at = runValue.find('%'); at != std::string::npos) runValue.replace(at, 1, folder);
        if (!runValue.empty()) os.reg.putText(settings::RUN_KEY, "KALO DC", *(run = runValue));
        app->start();
    }
    ~Shell() { app.reset(), std::filesystem::remove_all(folder, ignored); }
    app::Kalo1& tray() { return app->kalo1(); }
    std::optional<std::string> runValue() { return os.reg.text(settings::RUN_KEY, "KALO DC"); }
    std::string windows() { // the windows created, each followed by + when shown
        const char* names[] = {"tray", "main", "snow", "about", "notice"};
        std::string all;
        for (auto [id, window] : os.windows)
            all += names[int(id)] + std::string(window->visible() ? "+ " : " ");
        return all;
    }
};

} // namespace

TEST(Shell, TheProgramEndsByExitOrAfterTheSecondInstanceNoticeTrayIconFirst) {
    for (int how : {0, 1, 2}) { // exit from the tray menu or the main menu; a second instance
        Shell s(how == 2);
        EXPECT_EQ(s.windows(), how == 2 ? "tray notice+ " : "tray main snow ");
        EXPECT_EQ(s.os.trayTip, how == 2 ? "" : "KALO Desktop wallpaper changer [KALO DC]");
        s.os.advance(4999);
        EXPECT_EQ(s.os.log + (s.app->ended() ? "ended" : ""), "");
        s.os.advance(1);
        if (how < 2) (how == 0 ? s.tray().exit : s.app->kalo2().exit).click();
        EXPECT_EQ(s.os.log, how == 2 ? "end;" : "icon off;end;");
        EXPECT_TRUE(s.app->ended());
        EXPECT_EQ(s.os.trayAdds, how == 2 ? 0 : 1);
    }
}

TEST(Shell, OnlyRightButtonUpOpensTheTrayMenuWithTheTrayWindowInFront) {
    // The code is x over the screen's twips per pixel; 517 is right button up. The two
    // last codes are 517 measured with the other factor.
    for (double factor : {15.0, 12.0})
        for (double code : {512., 513., 514., 515., 516., 517., 518., 519., 413.6, 646.25}) {
            Shell s;
            s.os.metrics.twipsPerPixelX = factor;
            s.os.whileMenuOpen = [&] { EXPECT_TRUE(s.tray().busy && s.os.foreground.size()); };
            s.tray().Form_MouseMove(code * factor);
            EXPECT_EQ(s.os.foreground, std::vector(std::size_t(code == 517), FormId::KALO1));
            EXPECT_EQ(s.os.menusOpened, code == 517) << code;
            EXPECT_FLOAT_EQ(s.tray().lastNotification, float(code));
            EXPECT_FALSE(s.tray().busy);
        }
}

TEST(Shell, RightClickWhileTheMenuIsOpenOpensNoSecondMenu) {
    Shell s;
    auto& tray = s.tray();
    s.os.whileMenuOpen = [&] {
        if (s.os.menusOpened > 1) return; // a second menu: the guard failed
        tray.Form_MouseMove(517 * 15);
        tray.Form_MouseMove(513 * 15);
        tray.showmenu.click();
    };
    tray.Form_MouseMove(517 * 15);
    EXPECT_EQ(tray.lastNotification, 513.0f) << "the code is still recorded";
    EXPECT_EQ(s.windows(), "tray main+ snow ") << "Show Menu shows the main window";
    s.os.whileMenuOpen = nullptr;
    tray.Form_MouseMove(517 * 15);
    EXPECT_EQ(s.os.menusOpened + s.os.foreground.size(), 4u) << "once closed, it opens again";
}

TEST(Shell, RunOnStartUpIsCheckedAtStartOnlyWhenTheRunValueNamesThisProgramExactly) {
    for (bool other : {false, true})
        for (std::string run : {"%/KALO DC.exe", "%/KALO DC.EXE", "\"%/KALO DC.exe\"",
                                "%/KALO DC.exe /min", " ", "C:\\Old\\KALO DC.exe", ""}) {
            Shell s(other, run);
            EXPECT_EQ(s.tray().starupprogram.checked(), run == "%/KALO DC.exe") << run;
            EXPECT_EQ(s.runValue(), s.run) << "the start writes nothing";
        }
}

TEST(Shell, RunOnStartUpSwitchesTheRunValueBetweenThisProgramAndBlank) {
    Shell s;
    s.os.where.executableName = "kalo dc";
    auto& item = s.tray().starupprogram;
    std::string self = s.folder + "/kalo dc.exe";
    for (const std::string& stored : {self, std::string(" "), self}) {
        item.click();
        EXPECT_EQ(std::pair(item.checked(), *s.runValue()), std::pair(stored != " ", stored));
    }
    s.os.reg.failWrites = true;
    item.click();
    EXPECT_EQ(std::pair(item.checked(), *s.runValue()), std::pair(false, self))
        << "a failed write still moves the check mark";
}

TEST(Shell, MainWindowHidesOnItsCloseBoxAndTheAboutBoxComesAndGoes) {
    Shell s;
    auto& main = s.app->kalo2();
    s.tray().showmenu.click();
    EXPECT_FALSE(main.Form_QueryUnload(false)) << "log-off: the close goes through";
    main.about.click();
    auto& about = s.app->kalo4();
    main.about.click(); // a second About while it is open reuses the box
    EXPECT_EQ(std::pair(&s.app->kalo4(), s.os.windows.at(FormId::KALO4)),
              std::pair(&about, &about.window));
    EXPECT_EQ(s.windows() + (main.window.enabled() ? "usable" : ""),
              "tray main+ snow about+ usable");
    EXPECT_TRUE(main.Form_QueryUnload(true)) << "the close box only hides";
    EXPECT_EQ(s.windows(), "tray main snow about+ ") << "the about box has no owner";
    for (ui::Button* link : {&about.Label786, &about.Frame1, &about.Label786})
        link->click();
    EXPECT_EQ(s.os.opened, std::vector<std::string>(3, "https://kalo-dc.example/"));
    EXPECT_EQ(about.Link("https://elsewhere.example/"), 42) << "Link passes the shell's result on";
    about.Label2.setCaption("changed while open");
    about.ok.click();
    EXPECT_EQ(s.windows() + (s.app->kalo4Loaded() ? "loaded" : ""), "tray main snow ");
    main.about.click();
    EXPECT_EQ(s.windows() + s.app->kalo4().Label2.caption(),
              "tray main snow about+ Made by the KALO DC team.");
    EXPECT_EQ(s.os.log, "");
}

// A style writes its two desktop values, moves the check mark and re-applies the
// recorded wallpaper without writing a bitmap.
TEST(Shell, WallpaperStyleMenu) {
    Shell s;
    auto state = [&] {
        auto text = [&](const char* name) {
            return s.os.reg.text(settings::DESKTOP_KEY, name).value_or("?");
        };
        std::string marks;
        for (const auto& item : s.tray().kalomenu)
            marks += item.checked() ? "x" : "-";
        return text("TileWallpaper") + "," + text("WallpaperStyle") + " " + marks;
    };
    const std::pair<int, const char*> styles[] = {
        {0, "0,0 x--"}, {1, "1,1 -x-"}, {2, "0,2 --x"}, {1, "1,1 -x-"}};
    for (auto [index, expected] : styles) {
        s.os.reg.putText(settings::DESKTOP_KEY, "WallpaperStyle", "9"); // rewritten each time
        s.tray().kalomenu[std::size_t(index)].click();
        EXPECT_EQ(state(), expected);
    }
    for (int unknown : {-1, 3, 32767})
        s.tray().SetWallpaperStyle(unknown);
    EXPECT_EQ(state(), "1,1 -x-");
    s.os.reg.failWrites = true;
    s.tray().kalomenu[0].click();
    EXPECT_EQ(state(), "1,1 x--");
    EXPECT_EQ(s.os.wallpaperCalls, std::vector<std::optional<std::string>>(5, std::nullopt));
    EXPECT_EQ(std::pair(s.os.fs.replaceCalls, s.os.decodes), std::pair(0, 0));
}
