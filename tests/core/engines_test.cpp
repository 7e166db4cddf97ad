// The interval the two boxes give, on its own: the bounds the forms' tables do not reach.
#include "rotation/interval.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(Interval, TurnsTheRotationOnlyWithAPeriodOrMinuteTargetThatIsReached) {
    struct Row {
        const char *unit, *number;
        bool read, turns;
    };
    const Row rows[] = {
        {"Second(s)", "1", true, true},       {"Second(s)", "0.001", true, true},
        {"Second(s)", "0.0004", true, false}, {"Second(s)", "65.535", true, true},
        {"Second(s)", "65.536", true, false}, {"Second(s)", "0", true, false},
        {"Second(s)", "-1", true, false},     {"Minute(s)", "1", true, true},
        {"Minute(s)", "1.5", true, false},    {"Minute(s)", "0.5", true, false},
        {"Hour(s)", "0.5", true, true},       {"Hour(s)", "0.01", true, false},
        {"Hour(s)", "7", true, true},         {"second(s)", "1", false, false},
        {"Interval", "1", false, false},      {"Second(s)", "Select", false, false},
        {"Second(s)", "", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.unit) + " / " + row.number);
        auto interval = rotation::readInterval(row.unit, row.number, '.');
        EXPECT_EQ(interval.has_value(), row.read);
        EXPECT_EQ(interval && rotation::turnsRotation(*interval), row.turns);
    }
}

TEST(Interval, PeriodsRoundHalfToEvenAndOnlyTheTimersRangeIsHeld) {
    EXPECT_EQ(rotation::periodOf({rotation::Unit::Seconds, 0.0025}), 2);
    EXPECT_EQ(rotation::periodOf({rotation::Unit::Seconds, 0.0035}), 4);
    EXPECT_TRUE(rotation::timerHolds(0));
    EXPECT_TRUE(rotation::timerHolds(65535));
    EXPECT_FALSE(rotation::timerHolds(65536));
    EXPECT_FALSE(rotation::timerHolds(-1));
    EXPECT_FALSE(rotation::timerHolds(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(rotation::minutesOf({rotation::Unit::Hours, 2}), 120);
    EXPECT_EQ(rotation::minutesOf({rotation::Unit::Minutes, 2}), 2);
}

} // namespace
