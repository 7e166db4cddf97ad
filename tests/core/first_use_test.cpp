// What a new user meets first: the stored texts, the log-on Run value, a minutes
// rotation after a seconds one, Run over an interval that cannot run, the Run and Stop
// buttons at a first start, and windows brought to the front.
#include "fixture.h"

namespace {

using platform::FormId;
using platform::HKEY_CURRENT_USER_ROOT;
using settings::PROGRAM_KEY;
using settings::RUN_KEY;
using testing_support::Program;

constexpr long MINUTE = 60000;
constexpr long NOTHING_APPLIED = -1;

// The main window loaded over a list of `entries`, the rotation stored as stopped.
app::Kalo2& stoppedWith(Program& p, std::initializer_list<std::string> entries) {
    p.write("KALO DC.dat", testing_support::listBytes(entries));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    return p.main();
}

// Picture files a..n of distinct colours.
std::vector<std::string> pictures(Program& p, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(p.picture(std::string(1, char('a' + i)) + ".pic", 0xFF000000u + i));
    return paths;
}

// The list position the desktop got within `ms`, or NOTHING_APPLIED.
long appliedDuring(Program& p, long ms) {
    auto before = p.os.wallpaperCalls.size();
    p.os.advance(ms);
    return p.os.wallpaperCalls.size() == before ? NOTHING_APPLIED : p.main().Wallpaper.listIndex();
}

std::string zeroEnded(const std::string& text) {
    return text + '\0';
}

TEST(FirstUse, TextsAreStoredWithTheirZeroAndReadTheSameWithOrWithoutIt) {
    Program p;
    auto& reg = p.app->registry();
    reg.WriteRegistryString(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "C2", "Second(s)");
    reg.WriteRegistryString(HKEY_CURRENT_USER_ROOT, settings::DESKTOP_KEY, "TileWallpaper", "");
    p.app->appSettings().Save("KALO DC", "cmdrun", "cmdstop", "1");
    EXPECT_EQ(p.os.reg.get(PROGRAM_KEY, "C2")->data, zeroEnded("Second(s)"));
    EXPECT_EQ(p.os.reg.get(settings::DESKTOP_KEY, "TileWallpaper")->data, zeroEnded(" "));
    EXPECT_EQ(p.os.reg.get(settings::APP_SETTINGS_KEY + "KALO DC\\cmdrun", "cmdstop")->data,
              zeroEnded("1"));
    EXPECT_EQ(reg.readProgramValue("c2"), "Second(s)");
    EXPECT_EQ(p.app->appSettings().Get("KALO DC", "cmdrun", "cmdstop", "0"), "1");
    p.os.reg.put(PROGRAM_KEY, "c2", {platform::REG_SZ_T, "Minute(s)"}); // as stored before
    EXPECT_EQ(reg.readProgramValue("c2"), "Minute(s)");
}

TEST(FirstUse, RunValueIsTheQuotedPathAndTurningItOffDeletesIt) {
    for (bool quotedBefore : {true, false}) {
        Program p;
        std::string self = p.folder + "/KALO DC.exe", quoted = '"' + self + '"';
        p.os.reg.putText(RUN_KEY, "KALO DC", quotedBefore ? quoted : self);
        p.app->start();
        auto& item = p.tray().starupprogram;
        EXPECT_TRUE(item.checked()) << quotedBefore;
        item.click();
        EXPECT_FALSE(item.checked());
        EXPECT_FALSE(p.os.reg.get(RUN_KEY, "KALO DC").has_value()) << quotedBefore;
        item.click();
        EXPECT_EQ(p.os.reg.text(RUN_KEY, "KALO DC"), quoted);
    }
}

TEST(FirstUse, MinutesRotationCountsFromItsStartAndTurnsAtOrPastTheTarget) {
    Program p;
    p.app->start();
    auto& main = p.main();
    p.os.advance(3 * MINUTE); // the user looks around: the minute ticker counts
    main.run.click();         // "Add Image file."
    for (const auto& path : pictures(p, 4))
        main.Wallpaper.add(path);
    main.c2.typeText("Second(s)");
    main.c1.typeText("2");
    main.run.click();
    p.os.advance(25000);
    main.stope.click();
    main.c2.typeText("Minute(s)");
    main.c1.typeText("2");
    main.run.click();
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedDuring(p, MINUTE), NOTHING_APPLIED) << "counted from the start";
    EXPECT_EQ(appliedDuring(p, MINUTE), 0);
    EXPECT_EQ(appliedDuring(p, 2 * MINUTE), 1);
    main.minuteCount = 5; // past the target: the next tick moves on
    EXPECT_EQ(appliedDuring(p, MINUTE), 2);
}

TEST(FirstUse, RunRefusesAnIntervalThatCannotRunAndChangesNothing) {
    struct Case {
        const char* unit;
        const char* number;
    };
    for (auto [unit, number] :
         {Case{"Second(s)", ""}, Case{"Second(s)", "0"}, Case{"Minute(s)", "abc"},
          Case{"Hour(s)", "-1"}, Case{"Second(s)", "70"}, Case{"Interval", "Select"}}) {
        SCOPED_TRACE(std::string(unit) + " " + number);
        Program p;
        auto& main = stoppedWith(p, {});
        for (const auto& path : pictures(p, 2))
            main.Wallpaper.add(path);
        main.c2.typeText(unit);
        main.c1.typeText(number);
        main.run.click();
        ASSERT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.boxes[0].text, "Enter the interval.");
        EXPECT_EQ(p.os.boxes[0].title, "Error");
        EXPECT_EQ(p.os.boxes[0].style, platform::MB_CRITICAL);
        EXPECT_TRUE(main.run.visible() && !main.stope.visible());
        EXPECT_TRUE(main.add.enabled() && main.del.enabled() && main.c2.enabled());
        EXPECT_EQ(main.Label2.caption(), "Stoped.");
        EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
        EXPECT_FALSE(p.programValue("C1").has_value());
        EXPECT_EQ(appliedDuring(p, 10 * MINUTE), NOTHING_APPLIED);
    }
}

TEST(FirstUse, AResumeOverAnIntervalThatCannotRunAppliesNothing) {
    Program p;
    p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.pic"), p.picture("b.pic")}));
    p.setProgramValue("C2", "Second(s)");
    p.app->start();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "Enter the interval.");
    EXPECT_EQ(appliedDuring(p, MINUTE), NOTHING_APPLIED);
}

TEST(FirstUse, FirstStartShowsRunAlone) {
    Program p;
    p.app->start();
    EXPECT_TRUE(p.main().run.visible());
    EXPECT_FALSE(p.main().stope.visible());
}

TEST(FirstUse, ShowMenuAndAboutBringTheirWindowToTheFront) {
    Program p;
    p.app->start();
    p.tray().showmenu.click();
    p.main().about_Click();
    p.main().about_Click(); // while open
    EXPECT_EQ(p.os.fronted, (std::vector<FormId>{FormId::KALO2, FormId::KALO4, FormId::KALO4}));
}

TEST(FirstUse, StyleCheckMarkShowsTheStoredStyleAtStart) {
    struct Case {
        const char* tile;
        const char* style;
        int checked; // -1: none
    };
    for (auto [tile, style, checked] :
         {Case{"0", "0", 0}, Case{"1", "1", 1}, Case{"1", "0", 1}, Case{"0", "2", 2},
          Case{"0", "6", -1}, Case{nullptr, nullptr, -1}}) {
        SCOPED_TRACE(checked);
        Program p;
        if (tile) p.os.reg.putText(settings::DESKTOP_KEY, "TileWallpaper", tile);
        if (style) p.os.reg.putText(settings::DESKTOP_KEY, "WallpaperStyle", style);
        p.app->start();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(p.tray().kalomenu[std::size_t(i)].checked(), i == checked) << i;
        EXPECT_TRUE(p.os.wallpaperCalls.empty());
    }
}

} // namespace
