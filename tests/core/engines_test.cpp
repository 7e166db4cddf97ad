// The interval the two boxes give, on its own: the bounds the forms' tables do not reach.
#include "rotation/interval.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Interval, TurnsTheRotationOnlyWithAPeriodOrMinuteTargetThatIsReached) {
    // The unit, the number, whether they read as an interval and whether it turns.
    const std::tuple<const char*, const char*, bool, bool> rows[] = {
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
    for (auto [unit, number, read, turns] : rows) {
        auto interval = rotation::readInterval(unit, number, '.');
        EXPECT_EQ(std::pair(interval.has_value(), interval && rotation::turnsRotation(*interval)),
                  std::pair(read, turns))
            << unit << " / " << number;
    }
    ui::Timer timer{1, false}; // a timer holds 0 to 65,535 ms, as Windows' does; 0 never ticks
    EXPECT_EQ(std::tuple(timer.setInterval(65536), timer.setInterval(-1), timer.setInterval(65535)),
              std::tuple(false, false, true));
    timer.setEnabled(true);
    EXPECT_TRUE(timer.runs());
    EXPECT_TRUE(timer.setInterval(0) && !timer.runs());
}

} // namespace
