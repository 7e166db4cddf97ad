#include "app/kalo4.h"
#include "fixture.h"

using platform::FormId;
using settings::DESKTOP_KEY;

namespace {

// A program started from C:\Tools (or `from`) that logs its two last acts; `run` is first
// stored as the Run value, `tile` as the desktop's tiling over the centred style.
struct Shell : testing_support::TempFolder, fake::FakePlatform {
    std::string log;
    std::unique_ptr<app::App> app = std::make_unique<app::App>(*this);

    explicit Shell(bool second = false, const char* run = nullptr, const char* from = "C:\\Tools",
                   const char* tile = "0")
        : FakePlatform(folder) {
        where.folder = from, where.separator = '\\', otherInstance = second;
        if (run) reg.putText(settings::RUN_KEY, "KALO DC", run);
        reg.putText(DESKTOP_KEY, "TileWallpaper", tile);
        reg.putText(DESKTOP_KEY, "WallpaperStyle", "0");
        app->start();
    }
    void removeTrayIcon() override { FakePlatform::removeTrayIcon(), log += "icon off;"; }
    void endProcess() override { FakePlatform::endProcess(), log += "end;"; }
    app::Kalo1& tray() { return app->kalo1(); }
    std::string runValue() { return reg.text(settings::RUN_KEY, "KALO DC").value_or("-"); }
    // The windows created, each followed by + when shown, then how the program ended.
    std::string state() {
        const char* names[] = {"tray", "main", "snow", "about", "notice"};
        std::string all;
        for (auto [id, window] : windows)
            all += names[int(id)] + std::string(window->visible() ? "+ " : " ");
        return all + log + (app->ended() ? "ended" : "");
    }
    // The style items' marks, then a ! for each other item that carries one.
    std::string marks() {
        auto& t = tray();
        auto& m = app->kalo2();
        std::string marks;
        for (const auto& item : t.kalomenu)
            marks += item.checked() ? "x" : "-";
        for (const ui::MenuItem* other : {&t.showmenu, &t.kalowallpapersstyle, &t.exit, &m.snow1,
                                          &m.snow2, &m.reset, &m.resetsnow, &m.exit, &m.about})
            marks += other->checked() ? "!" : "";
        return marks;
    }
};

} // namespace

TEST(Shell, TheProgramEndsByExitOrAfterTheSecondInstanceNoticeTrayIconFirst) {
    for (int how : {0, 1, 2}) { // exit from the tray menu or the main menu; a second instance
        Shell s(how == 2);
        EXPECT_EQ(s.trayTip, how == 2 ? "" : "KALO Desktop wallpaper changer [KALO DC]");
        s.advance(4999);
        EXPECT_EQ(s.state(), how == 2 ? "tray notice+ " : "tray main snow ");
        s.advance(1);
        if (how < 2) (how == 0 ? s.tray().exit : s.app->kalo2().exit).click();
        EXPECT_EQ(s.state() + s.trayTip,
                  how == 2 ? "tray notice+ end;ended" : "tray main snow icon off;end;ended");
    }
}

// Without a tray the main window is the way in: shown once at start, in front, and brought
// back by a later start; with a tray it is shown and hidden at start and stays hidden. The
// later start asks the first copy, shows its notice and nothing else, and ends.
TEST(Shell, WithoutATrayTheMainWindowShowsAtStartAndALaterStartBringsItBack) {
    for (bool tray : {true, false}) {
        testing_support::Program first, second;
        first.os.tray = second.os.tray = tray;
        second.os.otherInstance = true;
        first.app->start();
        second.app->start();
        auto& shown = first.os.shownHidden[FormId::KALO2];
        std::string seen = shown + " ";
        first.main().Form_QueryUnload(true); // its close box
        first.tray().answerAnotherStart();
        seen += shown + " ";
        first.tray().answerAnotherStart(); // shown already: in front again
        seen += std::to_string(first.os.fronted.size()) + " in front, asked " +
                std::to_string(first.os.showRequests) + "/" +
                std::to_string(second.os.showRequests);
        EXPECT_EQ(seen, tray ? "+- +- 0 in front, asked 0/1" : "+ +-+ 3 in front, asked 0/1");
        second.os.advance(5000);
        EXPECT_EQ(std::tuple(second.os.windows.count(FormId::KALO2), second.os.trayTip,
                             second.os.shownHidden[FormId::KALOload], second.os.ended),
                  std::tuple(0u, "", "+", true))
            << "the later start loads no main window and adds no icon";
    }
}

TEST(Shell, OnlyRightButtonUpOpensTheTrayMenuOnceAndTheMainWindowOnlyHidesOnItsCloseBox) {
    Shell s;
    auto& tray = s.tray();
    s.metrics.twipsPerPixelX = 12; // the code is x over the screen's twips per pixel
    s.whileMenuOpen = [&] {
        if (s.menusOpened > 1) return; // a second menu: the guard failed
        EXPECT_TRUE(tray.busy && s.foreground == std::vector{FormId::KALO1});
        tray.Form_MouseMove(517 * 12);
        tray.Form_MouseMove(513 * 12);
        tray.showmenu.click();
    };
    for (int code : {512, 513, 514, 515, 516, 518, 519, 517})
        tray.Form_MouseMove(code * 12);
    EXPECT_EQ(std::tuple(s.menusOpened, tray.lastNotification, tray.busy, s.state()),
              std::tuple(1, 513.0f, false, "tray main+ snow ")); // Show Menu shows the main window
    s.whileMenuOpen = nullptr;
    tray.Form_MouseMove(517 * 12);
    EXPECT_EQ(s.menusOpened + s.foreground.size(), 4u) << "once closed, it opens again";
    // The main window shown from the menu hides on its close box; the about box comes and goes.
    auto& main = s.app->kalo2();
    EXPECT_FALSE(main.Form_QueryUnload(false)) << "log-off: the close goes through";
    main.about.click();
    auto& about = s.app->kalo4();
    main.about.click(); // a second About while it is open reuses the box, in front
    EXPECT_EQ(s.state() + (main.window.enabled() ? "usable" : ""), "tray main+ snow about+ usable");
    EXPECT_EQ(s.fronted, (std::vector{FormId::KALO2, FormId::KALO4, FormId::KALO4}));
    EXPECT_TRUE(main.Form_QueryUnload(true)) << "the close box only hides";
    EXPECT_EQ(s.state(), "tray main snow about+ ") << "the about box has no owner";
    for (ui::Button* link : {&about.Label786, &about.Frame1, &about.Label786})
        link->click();
    EXPECT_EQ(s.opened, std::vector<std::string>(3, "https://kalo-dc.example/"));
    EXPECT_EQ(about.Link("https://elsewhere.example/"), 42) << "Link passes the shell's result on";
    about.ok.click();
    EXPECT_EQ(s.state() + (s.app->kalo4Loaded() ? "loaded" : ""), "tray main snow ");
    main.about.click();
    EXPECT_EQ(s.state(), "tray main snow about+ ") << "a new box";
}

TEST(Shell, TrayMenuCheckItemsWriteTheRegistryAndMoveTheirMarks) {
    const std::string self = "C:\\Tools\\KALO DC.exe", quoted = '"' + self + '"';
    for (bool second : {false, true}) // with the stored style marked, tiling first
        for (const char* run :
             {self.c_str(), "C:\\Tools\\KALO DC.EXE", "\"C:\\Tools\\KALO DC.exe\"",
              "C:\\Tools\\KALO DC.exe /min", " ", "C:\\Old\\KALO DC.exe", (const char*)nullptr}) {
            Shell shell(second, run, "C:\\Tools", second ? "1" : "0");
            EXPECT_EQ(std::pair(shell.tray().starupprogram.checked(), shell.marks()),
                      std::pair(run && (run == self || run == quoted),
                                std::string(second ? "-x-" : "x--")))
                << (run ? run : "none");
        }
    Shell s; // the stored style is not applied at start
    auto& item = s.tray().starupprogram;
    for (const std::string& stored : {quoted, std::string("-"), quoted}) { // "-": no value
        item.click();
        EXPECT_EQ(std::tuple(item.checked(), s.runValue()), std::tuple(stored != "-", stored));
    }
    // A style writes its desktop values, moves its mark and re-applies the wallpaper.
    auto state = [&] {
        auto text = [&](auto name) { return s.reg.text(DESKTOP_KEY, name).value_or("?"); };
        return text("TileWallpaper") + "," + text("WallpaperStyle") + " " + s.marks();
    };
    std::string styles;
    for (std::size_t index : {0, 1, 2, 1}) {
        s.reg.putText(DESKTOP_KEY, "WallpaperStyle", "9"); // rewritten each time
        s.tray().kalomenu[index].click();
        styles += state() + " ";
    }
    for (int unknown : {-1, 3, 32767})
        s.tray().SetWallpaperStyle(unknown);
    EXPECT_EQ(styles + state(), "0,0 x-- 1,1 -x- 0,2 --x 1,1 -x- 1,1 -x-");
    s.reg.failWrites = true; // a failed write still moves the marks
    item.click();
    s.tray().kalomenu[0].click();
    EXPECT_EQ(std::tuple(item.checked(), s.runValue(), state(), s.wallpaperCalls,
                         s.wallpaperPictures, s.fs.replaceCalls, s.decodes),
              std::tuple(false, quoted, "1,1 x--", std::vector<std::optional<std::string>>(5),
                         std::vector<std::string>(5), 0, 0))
        << "the file is read back";
}

// From a folder the code page cannot hold, the Run value names the program by its short
// path; without one the item is refused with a word why and stays unticked.
TEST(Shell, TheRunValueTakesTheShortPathOrTheItemIsRefused) {
    const std::string foreign = "C:\\\xE6\x97\xA5", shortForm = "C:\\6E65~1\\KALODC~1.EXE";
    for (bool hasShort : {true, false}) {
        Shell s(false, nullptr, foreign.c_str());
        if (hasShort) s.fs.shortPaths[foreign + "\\KALO DC.exe"] = shortForm;
        s.tray().starupprogram.click();
        const std::string told = s.boxes.empty() ? "" : " " + s.boxes[0].text.substr(0, 43);
        EXPECT_EQ(std::to_string(s.tray().starupprogram.checked()) + " " + s.runValue() + told,
                  hasShort ? "1 \"" + shortForm + '"'
                           : "0 - KALO DC cannot start at log-on from " + foreign + ".");
    }
}
