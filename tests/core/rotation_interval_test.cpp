#include "rotation_support.h"

namespace {

using rotation_support::appliedDuring;
using rotation_support::appliedEach;
using rotation_support::NOTHING_APPLIED;
using rotation_support::pictures;
using rotation_support::stoppedWith;
using testing_support::Program;
using Positions = std::vector<long>;

constexpr long MINUTE = 60000;

std::vector<std::string> numbers(int upTo) {
    std::vector<std::string> texts;
    for (int n = 1; n <= upTo; ++n)
        texts.push_back(std::to_string(n));
    return texts;
}

TEST(IntervalUnit, ChoosingAUnitEnablesAndRefillsTheNumberBox) {
    struct Case {
        std::size_t unit;
        int numbers;
    };
    for (Case c : {Case{0, 59}, Case{1, 59}, Case{2, 7}}) {
        Program p;
        auto& main = stoppedWith(p, {});
        main.c1.add("old");
        main.c1.setText("old");
        main.c2.choose(c.unit);
        EXPECT_TRUE(main.c1.enabled());
        EXPECT_EQ(main.c1.items(), numbers(c.numbers)) << main.c2.text();
        EXPECT_EQ(main.c1.text(), "") << main.c2.text();
    }
}

TEST(IntervalUnit, ATextThatIsNoUnitOnlyEnablesTheNumberBox) {
    Program p;
    auto& main = stoppedWith(p, {});
    main.c1.add("5");
    main.c1.setText("5");
    main.c2.typeText("second(s)"); // letter case differs: no unit
    main.FillNumbers();
    EXPECT_TRUE(main.c1.enabled());
    EXPECT_EQ(main.c1.items(), (std::vector<std::string>{"5"}));
    EXPECT_EQ(main.c1.text(), "5");
}

struct IntervalCase {
    const char* unit;
    const char* number;
    char separator;
    long period;                  // Timer1 period afterwards (was 1234)
    std::optional<double> target; // minuteTarget afterwards (was 7)
};

TEST(IntervalNumber, SetsThePeriodOrTheTargetOrRefusesSilently) {
    const IntervalCase cases[] = {
        {"Second(s)", "59", '.', 59000, 7},
        {"Second(s)", "2.5", '.', 2500, 7},
        {"Second(s)", "0.0625", '.', 62, 7},  // 62.5 ms: half to even
        {"Second(s)", "0.1875", '.', 188, 7}, // 187.5 ms: half to even
        {"Second(s)", "0", '.', 0, 7},
        {"Second(s)", "65.535", '.', 65535, 7},
        {"Second(s)", "66", '.', 1234, 7}, // 66,000 ms: refused
        {"Second(s)", "-1", '.', 1234, 7},
        {"Second(s)", "1e300", '.', 1234, 7},
        {"Second(s)", "abc", '.', 1234, 7},
        {"Second(s)", "", '.', 1234, 7},
        {"Second(s)", "2,5", ',', 2500, 7},
        {"Second(s)", "2.5", ',', 1234, 7}, // not a number where ',' separates
        {"Minute(s)", "30", '.', 1234, 30},
        {"Minute(s)", "2.5", '.', 1234, 2.5},
        {"Minute(s)", "x", '.', 1234, 7},
        {"Hour(s)", "2", '.', 1234, 120},
        {"Hour(s)", "1,5", ',', 1234, 90},
        {"second(s)", "5", '.', 1234, 7},
        {"Interval", "5", '.', 1234, 7},
    };
    for (const auto& c : cases) {
        Program p;
        auto& main = stoppedWith(p, {});
        p.os.cp.separator = c.separator;
        main.Timer1.setInterval(1234);
        main.minuteTarget = 7;
        main.c2.typeText(c.unit);
        main.c1.typeText(c.number);
        main.SetInterval();
        EXPECT_EQ(main.Timer1.interval(), c.period) << c.unit << " " << c.number;
        EXPECT_EQ(main.minuteTarget, c.target) << c.unit << " " << c.number;
    }
}

// Each branch disarms the other mode's ticker, but only when the number was taken.
TEST(IntervalNumber, DisarmsTheOtherTickerOnlyWhenTheNumberIsTaken) {
    struct Case {
        const char* unit;
        const char* number;
        bool timer1, timer3;
    };
    const Case cases[] = {
        {"Second(s)", "5", true, false}, {"Second(s)", "66", true, true},
        {"Minute(s)", "5", false, true}, {"Hour(s)", "x", true, true},
        {"Hour(s)", "1", false, true},   {"Interval", "5", true, true},
    };
    for (const auto& c : cases) {
        Program p;
        auto& main = stoppedWith(p, {});
        main.Timer1.setEnabled(true);
        main.Timer3.setEnabled(true);
        main.c2.typeText(c.unit);
        main.c1.typeText(c.number);
        main.SetInterval();
        EXPECT_EQ(main.Timer1.enabled(), c.timer1) << c.unit << " " << c.number;
        EXPECT_EQ(main.Timer3.enabled(), c.timer3) << c.unit << " " << c.number;
    }
}

TEST(IntervalNumber, ChoosingANumberStoresBothTextsAlsoWhenRefused) {
    Program p;
    auto& main = stoppedWith(p, {});
    main.c2.choose(0);
    main.c1.typeText("2.5");
    main.c1_Click();
    EXPECT_EQ(main.Timer1.interval(), 2500);
    main.c1.typeText("66");
    main.c1_Click();
    EXPECT_EQ(main.Timer1.interval(), 2500);
    EXPECT_EQ(p.programValue("C1"), "66");
    EXPECT_EQ(p.programValue("C2"), "Second(s)");
    main.c1.choose(58);
    EXPECT_EQ(main.Timer1.interval(), 59000);
    EXPECT_EQ(p.programValue("c1"), "59");
    main.c1.typeText("");
    main.c2.typeText("");
    main.c1_Click();
    EXPECT_EQ(p.programValue("c1"), " "); // an empty text is stored as one blank
    EXPECT_EQ(p.programValue("c2"), " ");
}

// A running rotation over `count` pictures, started by Run with the given interval.
app::Kalo2& running(Program& p, int count, const std::string& unit, const std::string& number) {
    auto paths = pictures(p, count);
    auto& main = p.main();
    for (const auto& path : paths)
        main.Wallpaper.add(path);
    main.stope_Click();
    main.c2.typeText(unit);
    main.c1.typeText(number);
    main.run.click();
    return main;
}

TEST(Rotation, SecondsModeAppliesTheFirstEntryTwiceThenWalksOn) {
    Program p;
    running(p, 3, "Second(s)", "5");
    EXPECT_EQ(appliedDuring(p, 1), 0); // the start tick
    EXPECT_EQ(appliedDuring(p, 4998), NOTHING_APPLIED);
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedEach(p, 5000, 6), (Positions{1, 2, 0, 1, 2, 0}));
}

TEST(Rotation, MinutesModeAdvancesEveryTargetTicks) {
    Program p;
    running(p, 3, "Minute(s)", "2");
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedDuring(p, MINUTE), NOTHING_APPLIED);
    EXPECT_EQ(appliedDuring(p, MINUTE), 0);
    EXPECT_EQ(appliedEach(p, 2 * MINUTE, 4), (Positions{1, 2, 0, 1}));
}

TEST(Rotation, HoursModeWithAFractionAdvancesEvery90Ticks) {
    Program p;
    auto& main = running(p, 2, "Hour(s)", "1.5");
    EXPECT_EQ(main.minuteTarget, 90);
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedDuring(p, 89 * MINUTE), NOTHING_APPLIED);
    EXPECT_EQ(appliedDuring(p, MINUTE), 0);
    EXPECT_EQ(appliedDuring(p, 89 * MINUTE), NOTHING_APPLIED);
    EXPECT_EQ(appliedDuring(p, MINUTE), 1);
}

TEST(Rotation, AFractionOfMinutesNeverMatchesTheCount) {
    Program p;
    auto& main = running(p, 2, "Minute(s)", "2.5");
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedDuring(p, 10 * MINUTE), NOTHING_APPLIED);
    EXPECT_EQ(main.minuteCount, 10);
}

TEST(Rotation, ZeroSecondsIsRefusedAndNeverChanges) {
    Program p;
    running(p, 2, "Second(s)", "0");
    EXPECT_EQ(appliedDuring(p, 1), NOTHING_APPLIED);
    EXPECT_EQ(appliedDuring(p, 10 * MINUTE), NOTHING_APPLIED);
}

// The minute count goes on while stopped and is cleared only after an advance, so
// a later start continues from where it stood.
TEST(Rotation, MinuteCountRunsOnFromLoadAndIsClearedOnlyByAnAdvance) {
    Program p;
    auto& main = p.main(); // first start: the minute ticker runs from creation
    p.os.advance(3 * MINUTE);
    EXPECT_EQ(main.minuteCount, 3);
    main.Timer3_Timer();
    main.minuteTarget = 5;
    main.Timer3_Timer();
    EXPECT_EQ(main.minuteCount, 0);
    EXPECT_EQ(main.rotationIndex, 1);
}

TEST(StartTick, WaitsForAnEntryAndThenAppliesItOnce) {
    Program p;
    auto& main = p.main();
    main.Timer2.setEnabled(true);
    EXPECT_EQ(appliedDuring(p, 50), NOTHING_APPLIED);
    EXPECT_TRUE(main.Timer2.enabled());
    EXPECT_FALSE(main.rotationIndex.has_value());
    main.Wallpaper.add(p.picture("a.pic"));
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_FALSE(main.Timer2.enabled());
    EXPECT_EQ(main.rotationIndex, 0);
}

// The advance by itself: where the index stands, which entry it applies (-1: none)
// and where it leaves the index.
TEST(Advance, WrapsAtOrBeyondTheCount) {
    struct Case {
        std::optional<long> index;
        long count;
        long applied;
        long after;
    };
    const Case cases[] = {
        {std::nullopt, 3, 0, 1},
        {0, 3, 0, 1},
        {2, 3, 2, 3},
        {3, 3, 0, 1},
        {5, 3, 0, 1},
        {0, 0, -1, 1},
        {std::nullopt, 0, -1, 1},
    };
    for (const auto& c : cases) {
        Program p;
        auto& main = stoppedWith(p, {});
        for (long i = 0; i < c.count; ++i)
            main.Wallpaper.add(p.picture(std::to_string(i) + ".pic"));
        main.rotationIndex = c.index;
        auto calls = p.os.wallpaperCalls.size();
        main.Advance();
        long applied = p.os.wallpaperCalls.size() > calls ? main.Wallpaper.listIndex() : -1;
        EXPECT_EQ(applied, c.applied) << c.index.value_or(-9) << "/" << c.count;
        EXPECT_EQ(main.rotationIndex, c.after) << c.index.value_or(-9) << "/" << c.count;
        EXPECT_EQ(main.entryCount, c.count);
    }
}

} // namespace
