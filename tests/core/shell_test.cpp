#include "app/kalo4.h"
#include "app/main_window_controls.h"
#include "fixture.h"

#include <map>
#include <set>

using platform::FormId;
using settings::DESKTOP_KEY;

namespace {

// A program started from C:\Tools (or `from`) over a stored Run value and desktop style.
struct Shell : testing_support::TempFolder, fake::FakePlatform {
    std::string log; // the tray icon's removal and the end, in order
    std::unique_ptr<app::App> app = std::make_unique<app::App>(*this);

    explicit Shell(const char* run = nullptr, const char* from = "C:\\Tools",
                   const char* tile = "0", const char* style = "0")
        : FakePlatform(folder) {
        where.folder = from, where.separator = '\\';
        if (run) reg.putText(settings::RUN_KEY, "KALO DC", run);
        reg.putText(DESKTOP_KEY, "TileWallpaper", tile);
        reg.putText(DESKTOP_KEY, "WallpaperStyle", style);
        app->start();
    }
    void removeTrayIcon() override { FakePlatform::removeTrayIcon(), log += "icon off;"; }
    void endProcess() override { FakePlatform::endProcess(), log += "end;"; }
    app::Kalo1& tray() { return app->kalo1(); }
    std::string runValue() { return reg.text(settings::RUN_KEY, "KALO DC").value_or("-"); }
    // The windows shown, each followed by a blank.
    std::string shown() {
        const char* names[] = {"tray ", "main ", "snow ", "about ", "notice "};
        std::string all;
        for (auto [id, window] : windows)
            all += window->visible() ? names[int(id)] : "";
        return all;
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

// The main window only hides on its close box, and closes when the session ends. Exit
// from the tray menu or the main menu ends the program, its tray icon first.
TEST(Shell, TheCloseBoxHidesTheMainWindowAndExitEndsTheProgramTrayIconFirst) {
    for (bool fromTray : {true, false}) {
        SCOPED_TRACE(fromTray ? "the tray menu's Exit" : "the main menu's Exit");
        Shell s;
        s.tray().showmenu.click();
        EXPECT_FALSE(s.app->kalo2().Form_QueryUnload(false)) << "log-off: the close goes through";
        EXPECT_TRUE(s.app->kalo2().Form_QueryUnload(true)) << "the close box only hides";
        EXPECT_EQ(std::tuple(s.shown(), s.log, s.trayTip),
                  std::tuple("", "", "KALO Desktop wallpaper changer [KALO DC]"));
        (fromTray ? s.tray().exit : s.app->kalo2().exit).click();
        EXPECT_EQ(std::tuple(s.log, s.app->ended(), s.trayTip),
                  std::tuple("icon off;end;", true, ""));
    }
}

// OK unloads the about box, and the menu item loads a new one.
TEST(Shell, TheAboutBoxComesBackAfterOk) {
    Shell s;
    for (int k = 0; k < 2; ++k) {
        s.app->kalo2().about.click();
        EXPECT_EQ(s.shown(), "about ") << k;
        s.app->kalo4().ok.click();
        EXPECT_EQ(s.shown(), "") << k;
    }
}

// Without a tray the main window shows at start and a later start brings it back; with one
// it stays hidden. The later start asks the first copy, shows its notice only, and ends.
TEST(Shell, WithoutATrayTheMainWindowShowsAtStartAndALaterStartBringsItBack) {
    struct Row {
        bool tray;
        const char *atStart, *afterAnswers; // its showings (+) and hidings (-)
        std::size_t inFront;
    };
    for (const Row& row : {Row{true, "+-", "+-", 0}, Row{false, "+", "+-+", 3}}) {
        SCOPED_TRACE(row.tray ? "a tray" : "no tray");
        testing_support::Program first, second;
        first.os.tray = second.os.tray = row.tray;
        second.os.otherInstance = true;
        first.app->start();
        second.app->start();
        const auto& shown = first.os.shownHidden[FormId::KALO2];
        EXPECT_EQ(shown, row.atStart);
        first.main().Form_QueryUnload(true); // its close box
        first.tray().answerAnotherStart();
        first.tray().answerAnotherStart(); // shown already: in front again
        EXPECT_EQ(std::tuple(shown, first.os.fronted.size(), first.os.showRequests,
                             second.os.showRequests),
                  std::tuple(row.afterAnswers, row.inFront, 0, 1));
        second.os.advance(4999); // its notice stays five seconds
        EXPECT_EQ(std::tuple(second.os.ended, second.os.shownHidden[FormId::KALOload]),
                  std::tuple(false, "+"));
        second.os.advance(1);
        EXPECT_EQ(second.os.windows.count(FormId::KALO2), 0u)
            << "the later start loads no main window";
        EXPECT_EQ(second.os.trayTip, "") << "and adds no icon";
        EXPECT_TRUE(second.os.ended);
    }
}

// Show Menu shows the main window.
TEST(Shell, OnlyRightButtonUpOpensTheTrayMenuOnce) {
    Shell s;
    auto& tray = s.tray();
    s.metrics.twipsPerPixelX = 12; // the code is x over the screen's twips per pixel
    s.whileMenuOpen = [&] {
        if (s.menusOpened > 1) return; // a second menu: the guard failed
        EXPECT_TRUE(tray.busy);
        EXPECT_EQ(s.foreground, std::vector{FormId::KALO1});
        tray.Form_MouseMove(517 * 12);
        tray.Form_MouseMove(513 * 12);
        tray.showmenu.click();
    };
    for (int code : {512, 513, 514, 515, 516, 518, 519, 517})
        tray.Form_MouseMove(code * 12);
    EXPECT_EQ(std::tuple(s.menusOpened, tray.lastNotification, tray.busy, s.shown()),
              std::tuple(1, 513.0f, false, "main "));
    s.whileMenuOpen = nullptr;
    tray.Form_MouseMove(517 * 12);
    EXPECT_EQ(s.menusOpened, 2) << "once closed, it opens again";
    EXPECT_EQ(s.foreground.size(), 2u);
}

const std::string SELF = "C:\\Tools\\KALO DC.exe", QUOTED = '"' + SELF + '"';

// "Run on StartUp" is ticked when the Run value names this program, as written or quoted;
// the stored style is marked, tiling first, and a style none of the three marks nothing.
TEST(Shell, TheTrayMenuMarksTheRunValueAndTheStoredStyle) {
    const std::tuple<const char*, const char*, const char*> styles[] = {
        {"0", "0", "x--"}, {"1", "0", "-x-"}, {"0", "6", "---"}}; // tiling, style, marks
    for (auto [tile, style, marks] : styles)
        for (const char* run :
             {SELF.c_str(), "C:\\Tools\\KALO DC.EXE", QUOTED.c_str(), "C:\\Tools\\KALO DC.exe /min",
              " ", "C:\\Old\\KALO DC.exe", (const char*)nullptr}) {
            SCOPED_TRACE(std::string(run ? run : "no Run value") + ", style " + tile + style);
            Shell shell(run, "C:\\Tools", tile, style);
            EXPECT_EQ(shell.tray().starupprogram.checked(), run && (run == SELF || run == QUOTED));
            EXPECT_EQ(shell.marks(), marks);
        }
}

// A style writes its desktop values, moves its mark and re-applies the wallpaper; a failed
// write still moves the marks, and the file is read back.
TEST(Shell, AStyleWritesTheDesktopValuesAndMovesItsMark) {
    Shell s;
    auto desktop = [&] {
        auto text = [&](auto name) { return s.reg.text(DESKTOP_KEY, name).value_or("?"); };
        return text("TileWallpaper") + "," + text("WallpaperStyle");
    };
    const std::tuple<std::size_t, const char*, const char*> rows[] = {
        {0, "0,0", "x--"}, {1, "1,1", "-x-"}, {2, "0,2", "--x"}, {1, "1,1", "-x-"}};
    for (auto [index, values, marks] : rows) {
        SCOPED_TRACE("style " + std::to_string(index));
        s.reg.putText(DESKTOP_KEY, "WallpaperStyle", "9"); // rewritten each time
        s.tray().kalomenu[index].click();
        EXPECT_EQ(desktop(), values);
        EXPECT_EQ(s.marks(), marks);
    }
    for (int unknown : {-1, 3, 32767})
        s.tray().SetWallpaperStyle(unknown);
    EXPECT_EQ(s.marks(), "-x-") << "an unknown style changes nothing";
    s.tray().SetWallpaperStyle(0); // on its own it also moves the marks
    EXPECT_EQ(desktop() + " " + s.marks(), "0,0 x--");
    s.tray().starupprogram.click();
    s.reg.failWrites = true;
    s.tray().starupprogram.click();
    s.tray().kalomenu[2].click();
    EXPECT_EQ(std::tuple(s.tray().starupprogram.checked(), s.runValue(), desktop(), s.marks()),
              std::tuple(false, QUOTED, "0,0", "--x"));
    const std::vector<std::optional<std::string>> noPaths(5);
    EXPECT_EQ(std::tuple(s.wallpaperCalls, s.wallpaperPictures, s.fs.replaceCalls, s.decodes),
              std::tuple(noPaths, std::vector<std::string>(5), 0, 0));
}

// From a folder the code page cannot hold, the Run value names the program by its short
// path; without one the item is refused with a word why and stays unticked.
TEST(Shell, TheRunValueTakesTheShortPathOrTheItemIsRefused) {
    const std::string foreign = "C:\\\xE6\x97\xA5", shortForm = "C:\\6E65~1\\KALODC~1.EXE";
    for (bool hasShort : {true, false}) {
        Shell s(nullptr, foreign.c_str());
        if (hasShort) s.fs.shortPaths[foreign + "\\KALO DC.exe"] = shortForm;
        s.tray().starupprogram.click();
        SCOPED_TRACE(hasShort ? "a short path" : "no short path");
        EXPECT_EQ(
            std::tuple(s.tray().starupprogram.checked(), s.runValue(),
                       s.boxes.empty() ? "" : s.boxes[0].text.substr(0, 43)),
            std::tuple(hasShort, hasShort ? '"' + shortForm + '"' : "-",
                       hasShort ? "" : "KALO DC cannot start at log-on from " + foreign + "."));
    }
}

// The menus' texts, as the program has always worded them, odd spelling included.
TEST(Shell, TheMenusAndTheSnowOnTopBoxCarryTheirTexts) {
    Shell s;
    auto& t = s.tray();
    auto& m = s.app->kalo2();
    std::string texts;
    for (const ui::MenuItem* item :
         {&t.showmenu, &t.kalowallpapersstyle, &t.kalomenu[0], &t.kalomenu[1], &t.kalomenu[2],
          &t.starupprogram, &t.exit, &m.KALO, &m.snow1, &m.snow2, &m.reset, &m.resetsnow, &m.exit,
          &m.Help, &m.about})
        texts += item->caption() + "|";
    EXPECT_EQ(texts + m.Check1.caption(),
              "Show Menu|WallPapers Style|Centered|Tiled|Stretched|Run on StartUp|Exit|"
              "KALO|Snow Fall on|Snow fall off|Reset Wallpaper|Reset Snow|Exit|Help|"
              "About KALO DC|Snow on top");
}

// Each front end builds the main window from one list: every control in it once, through
// the builder for its kind (Run and Stop share their place).
TEST(Shell, EveryControlOfTheMainWindowIsPlacedOnceByItsKind) {
    struct Counting {
        std::map<std::string, int> kinds;
        std::set<const void*> models;
        void add(const char* kind, const void* model) { ++kinds[kind], models.insert(model); }
        using Place = app::layout::Place;
        void groupBox(ui::Frame& c, Place) { add("group", &c); }
        void listBox(ui::ListBox& c, Place) { add("list", &c); }
        void comboBox(ui::ComboBox& c, Place) { add("combo", &c); }
        void button(ui::Button& c, Place) { add("button", &c); }
        void imageBox(ui::ImageBox& c, Place) { add("image", &c); }
        void label(ui::Label& c, Place) { add("label", &c); }
        void checkBox(ui::CheckBox& c, Place) { add("check", &c); }
        void slider(ui::Slider& c, Place) { add("slider", &c); }
    } counted;
    Shell s;
    app::placeMainWindowControls(s.app->kalo2(), counted);
    std::string kinds;
    for (const auto& [kind, count] : counted.kinds)
        kinds += kind + " " + std::to_string(count) + ", ";
    EXPECT_EQ(kinds, "button 4, check 1, combo 2, group 5, image 1, label 6, list 1, slider 4, ");
    EXPECT_EQ(counted.models.size(), 24u);
}
