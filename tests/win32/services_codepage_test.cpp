// The ANSI code page conversions (Western, 1252) and the UTF-16 helpers.
#include "services_test_support.h"

#include <gtest/gtest.h>

namespace {

class CodePageTest : public testing::Test {
  protected:
    void SetUp() override {
        if (GetACP() != 1252)
            GTEST_SKIP() << "the ANSI code page is " << GetACP()
                         << ", not 1252: run Wine with LANG=en_US.UTF-8";
    }
    win32::Win32CodePage cp;
};

TEST_F(CodePageTest, WesternCharactersRoundTrip) {
    struct Case {
        const char* utf8;
        const char* ansi;
    };
    for (Case c : {Case{"\u00e9", "\xe9"}, Case{"\u00a0", "\xa0"}, Case{"\u20ac", "\x80"},
                   Case{"C:\\Bilder\\K\u00f6ln.jpg", "C:\\Bilder\\K\xf6ln.jpg"}, Case{"", ""}}) {
        auto ansi = cp.toAnsi(c.utf8);
        ASSERT_TRUE(ansi.has_value()) << c.utf8;
        EXPECT_EQ(*ansi, c.ansi) << c.utf8;
        EXPECT_EQ(cp.fromAnsi(c.ansi), c.utf8);
    }
}

TEST_F(CodePageTest, CharactersWithoutARepresentationAreRefused) {
    // CJK, a letter that would best-fit to "a", a symbol that would become "?".
    for (const char* text : {"\u6f22", "a\u6f22b", "\u0101", "\u2603", "\xff\xfe"})
        EXPECT_FALSE(cp.toAnsi(text).has_value()) << text;
}

TEST_F(CodePageTest, ZeroBytesAreKept) {
    std::string ansi("a\0b", 3);
    EXPECT_EQ(cp.fromAnsi(ansi), ansi);
}

TEST(WideText, Utf16RoundTripIncludingSurrogatePairs) {
    std::string text = "K\u00f6ln \u6f22 \U0001F600";
    std::wstring wide = win32::widen(text);
    EXPECT_EQ(wide, L"K\u00f6ln \u6f22 \U0001F600");
    EXPECT_EQ(win32::narrow(wide), text);
    EXPECT_EQ(win32::widen(""), L"");
}

// The user's own decimal separator, as set in the regional settings.
TEST(DecimalSeparator, FollowsTheUserSetting) {
    wchar_t saved[16] = {};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, saved, 16), 0);
    for (const wchar_t* separator : {L",", L".", L","}) {
        ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
        EXPECT_EQ(win32::Win32CodePage{}.decimalSeparator(), char(separator[0]));
    }
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
}

} // namespace
