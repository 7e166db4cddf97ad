// The engines the forms call, on their own: the stored wallpaper style and the interval
// the two boxes give.
#include "rotation/interval.h"
#include "wallpaper/style.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

using wallpaper::Style;

TEST(WallpaperStyle, DecodesTheStoredValuesAsWindowsReadsThem) {
    struct Row {
        const char *tile, *style;
        std::optional<Style> decoded;
    };
    const Row rows[] = {
        {"0", "0", Style::Centred}, {"1", "0", Style::Tiled},     {"1", "2", Style::Tiled},
        {"1", "", Style::Tiled},    {"0", "2", Style::Stretched}, {"", "2", Style::Stretched},
        {"0", "6", std::nullopt},   {"0", "10", std::nullopt},    {"", "", std::nullopt},
        {"2", "0", Style::Centred}, {" 1", "0", Style::Centred},  {"0", "1", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("TileWallpaper \"") + row.tile + "\", WallpaperStyle \"" +
                     row.style + "\"");
        EXPECT_EQ(wallpaper::decodeStyle(row.tile, row.style), row.decoded);
    }
}

TEST(WallpaperStyle, EachStyleIsStoredAsTextsThatDecodeToIt) {
    const std::pair<Style, wallpaper::StyleTexts> rows[] = {
        {Style::Centred, {"0", "0"}}, {Style::Tiled, {"1", "1"}}, {Style::Stretched, {"0", "2"}}};
    for (const auto& [style, texts] : rows) {
        SCOPED_TRACE(int(style));
        auto stored = wallpaper::encodeStyle(style);
        EXPECT_EQ(stored.tileWallpaper, texts.tileWallpaper);
        EXPECT_EQ(stored.wallpaperStyle, texts.wallpaperStyle);
        EXPECT_EQ(wallpaper::decodeStyle(stored.tileWallpaper, stored.wallpaperStyle), style);
    }
}

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

TEST(Interval, ReadsTheNumberInTheUsersLocale) {
    auto interval = rotation::readInterval("Second(s)", "2,5", ',');
    ASSERT_TRUE(interval);
    EXPECT_EQ(rotation::periodOf(*interval), 2500);
    EXPECT_FALSE(rotation::readInterval("Second(s)", "2.5", ','));
}

TEST(Interval, NumbersOfferedForEachUnit) {
    EXPECT_EQ(rotation::numbersFor("Second(s)"), 59);
    EXPECT_EQ(rotation::numbersFor("Minute(s)"), 59);
    EXPECT_EQ(rotation::numbersFor("Hour(s)"), 7);
    EXPECT_EQ(rotation::numbersFor("Interval"), 0);
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
