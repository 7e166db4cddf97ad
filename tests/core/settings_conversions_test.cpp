#include "settings/conversions.h"

#include <gtest/gtest.h>

namespace {

using settings::ConversionError;
using settings::OverflowError;

TEST(Conversions, TruthValues) {
    struct Case {
        const char* text;
        bool truth;
    };
    const Case cases[] = {{"0", false},     {"1", true},      {"-1", true},   {"2.5", true},
                          {" 0 ", false},   {"0.0", false},   {"True", true}, {"TRUE", true},
                          {"false", false}, {"False", false}, {"1e3", true}};
    for (const auto& c : cases)
        EXPECT_EQ(settings::toTruth(c.text), c.truth) << c.text;
    for (const char* bad : {"", " ", "yes", "on", "1x", "truth", "0,5"})
        EXPECT_THROW(settings::toTruth(bad), ConversionError) << "'" << bad << "'";
}

TEST(Conversions, ToInt16RoundsHalfToEvenAndOverflowsOutsideItsRange) {
    struct Case {
        double value;
        std::int16_t result;
    };
    const Case cases[] = {{0.5, 0},         {1.5, 2},          {2.5, 2},    {-0.5, 0},
                          {-1.5, -2},       {2.4999, 2},       {2.5001, 3}, {32767.4, 32767},
                          {-32768, -32768}, {-32768.5, -32768}};
    for (const auto& c : cases)
        EXPECT_EQ(settings::toInt16(c.value), c.result) << c.value;
    for (double bad : {32767.5, 32768.0, -32768.6, -32769.0, 1e300})
        EXPECT_THROW(settings::toInt16(bad), OverflowError) << bad;
}

TEST(Conversions, NumbersWithTheLocaleSeparator) {
    struct Case {
        const char* text;
        char separator;
        std::optional<double> number;
    };
    const Case cases[] = {
        {"2,5", ',', 2.5},
        {"2.5", ',', std::nullopt},
        {"2.5", '.', 2.5},
        {" 3 ", ',', 3},
        {"-1,25", ',', -1.25},
        {",5", ',', 0.5},
        {"5,", ',', 5},
        {"1e3", ',', 1000},
        {"1,5e2", ',', 150},
        {",", ',', std::nullopt},
        {"", ',', std::nullopt},
        {"1,2,3", ',', std::nullopt},
        {"1 000", ',', std::nullopt},
        {"e3", '.', std::nullopt},
        {"1e", '.', std::nullopt},
        {"0x10", '.', std::nullopt},
        {"1e999", '.', std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings::parseNumber(c.text, c.separator), c.number) << c.text;
    EXPECT_EQ(settings::toDouble("2,5", ','), 2.5);
    EXPECT_THROW(settings::toDouble("abc", ','), ConversionError);
    EXPECT_EQ(settings::toInt32("2,5", ','), 2);
    EXPECT_EQ(settings::toInt32("3,5", ','), 4);
}

} // namespace
