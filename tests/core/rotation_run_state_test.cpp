#include "rotation_support.h"

namespace {

using rotation_support::appliedDuring;
using rotation_support::appliedEach;
using rotation_support::MARKER_FILE;
using rotation_support::NOTHING_APPLIED;
using rotation_support::pictures;
using rotation_support::stoppedWith;
using testing_support::Program;

// What the window shows of the run state, in one comparable value.
struct Look {
    bool add, del, run, stope, c1, c2;
    std::string status;
    bool timer1, timer2, timer3;
    bool operator==(const Look&) const = default;
};

Look lookOf(const app::Kalo2& m) {
    return {m.add.enabled(),    m.del.enabled(),   m.run.visible(),    m.stope.visible(),
            m.c1.enabled(),     m.c2.enabled(),    m.Label2.caption(), m.Timer1.enabled(),
            m.Timer2.enabled(), m.Timer3.enabled()};
}

std::ostream& operator<<(std::ostream& out, const Look& l) {
    return out << "add " << l.add << " del " << l.del << " run " << l.run << " stop " << l.stope
               << " c1 " << l.c1 << " c2 " << l.c2 << " '" << l.status << "' timers " << l.timer1
               << l.timer2 << l.timer3;
}

const Look STOPPED{true, true, true, false, false, true, "Stoped.", false, false, false};
const Look RUNNING_SECONDS{false, false,        false, true, false,
                           false, "Running...", true,  true, false};
const Look RUNNING_MINUTES{false, false,        false, true, false,
                           false, "Running...", false, true, true};

app::Kalo2& stoppedWithPictures(Program& p, int count) {
    auto& main = stoppedWith(p, {});
    for (const auto& path : pictures(p, count))
        main.Wallpaper.add(path);
    return main;
}

TEST(Stop, LeavesTheStoppedLookAndStoresBothFlagsAsZero) {
    Program p;
    auto& main = stoppedWith(p, {"a"});
    EXPECT_EQ(lookOf(main), STOPPED);
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
    EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "0");
}

TEST(Run, WithAnEmptyListOnlyShowsTheMessage) {
    Program p;
    auto& main = stoppedWith(p, {});
    main.c2.typeText("Second(s)");
    main.c1.typeText("5");
    main.run.click();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "Add Image file.");
    EXPECT_EQ(p.os.boxes[0].title, "Error");
    EXPECT_EQ(p.os.boxes[0].style, 16);
    EXPECT_EQ(lookOf(main), STOPPED);
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
    EXPECT_FALSE(p.programValue("C1").has_value());
}

TEST(Run, WithOneEntryShowsTheRunningButtonsThenResets) {
    for (const char* unit : {"Second(s)", "Minute(s)", "Hour(s)"}) {
        Program p;
        auto& main = stoppedWithPictures(p, 1);
        main.c2.typeText(unit);
        main.c1.typeText("5");
        std::optional<Look> duringBox;
        p.os.whileBoxOpen = [&] { duringBox = lookOf(main); };
        main.run.click();
        ASSERT_EQ(p.os.boxes.size(), 1u) << unit;
        EXPECT_EQ(p.os.boxes[0].text, "Add at least two Image file.");
        EXPECT_EQ(p.os.boxes[0].title, "Error");
        EXPECT_EQ(p.os.boxes[0].style, 16);
        ASSERT_TRUE(duringBox.has_value());
        EXPECT_FALSE(duringBox->run) << unit;
        EXPECT_TRUE(duringBox->stope) << unit;
        EXPECT_EQ(main.Wallpaper.count(), 0) << unit;
        EXPECT_EQ(main.Label2.caption(), "Stoped.") << unit;
        EXPECT_EQ(p.read("KALO DC.dat"), MARKER_FILE) << unit;
        EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0") << unit;
        EXPECT_EQ(appliedDuring(p, 10 * 60000), NOTHING_APPLIED) << unit;
    }
}

TEST(Run, SecondsStartsTheSecondTickerAndStoresTheRunFlag) {
    Program p;
    auto& main = stoppedWithPictures(p, 2);
    main.c2.typeText("Second(s)");
    main.c1.typeText("5");
    main.run.click();
    EXPECT_EQ(lookOf(main), RUNNING_SECONDS);
    EXPECT_EQ(main.Timer1.interval(), 5000);
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "1");
    EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "0"); // untouched by a seconds start
    EXPECT_EQ(p.programValue("C1"), "5");
    EXPECT_EQ(p.programValue("C2"), "Second(s)");
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_FALSE(main.Timer2.enabled());
    EXPECT_EQ(appliedEach(p, 5000, 4), (std::vector<long>{0, 1, 0, 1}));
}

TEST(Run, MinutesStoresTheMinuteFlagAndStopEndsEveryChange) {
    for (const char* unit : {"Minute(s)", "Hour(s)"}) {
        Program p;
        auto& main = stoppedWithPictures(p, 2);
        main.c2.typeText(unit);
        main.c1.typeText("1");
        main.run.click();
        EXPECT_EQ(lookOf(main), RUNNING_MINUTES) << unit;
        EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "1");
        EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "1");
        EXPECT_EQ(appliedDuring(p, 1), 0);
        main.stope.click();
        EXPECT_EQ(lookOf(main), STOPPED) << unit;
        EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
        EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "0");
        EXPECT_EQ(appliedDuring(p, 3 * 60 * 60000), NOTHING_APPLIED) << unit;
    }
}

TEST(Run, AnUnknownUnitIsRefused) {
    Program p;
    auto& main = stoppedWithPictures(p, 2);
    main.c2.setText("Interval");
    main.run.click();
    EXPECT_EQ(lookOf(main), STOPPED);
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
    EXPECT_EQ(appliedDuring(p, 60000), NOTHING_APPLIED);
}

TEST(Run, TheLayersCaptionRunsToo) {
    Program p;
    auto& main = stoppedWithPictures(p, 2);
    main.c2.typeText("Second(s)");
    main.c1.typeText("5");
    main.Label3.click();
    EXPECT_EQ(lookOf(main), RUNNING_SECONDS);
}

TEST(Run, ARefusedNumberKeepsThePeriodInForce) {
    Program p;
    auto& main = stoppedWithPictures(p, 2);
    main.c2.typeText("Second(s)");
    main.c1.typeText("3");
    main.run.click();
    main.stope.click();
    main.c1.typeText("70");
    main.run.click(); // refused: the number is beyond what the ticker holds
    EXPECT_EQ(lookOf(main), STOPPED);
    EXPECT_EQ(main.Timer1.interval(), 3000);
    EXPECT_EQ(p.programValue("C1"), "3");
}

} // namespace
