#include "fixture.h"

#include <cstring>

namespace {

using platform::HKEY_CURRENT_USER_ROOT;
using settings::PROGRAM_KEY;
using testing_support::Program;

std::string dwordBytes(std::int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

TEST(WriteRegistryString, StoresTextAsCodePageBytesAndEmptyAsOneBlank) {
    struct Case {
        const char* name;
        std::string data;
        std::string stored;
    };
    const Case cases[] = {
        {"plain", "Second(s)", "Second(s)"},
        {"empty becomes a blank", "", " "},
        {"accent in one byte", "caf\xC3\xA9", "caf\xE9"},
    };
    for (const auto& c : cases) {
        Program p;
        auto& reg = p.app->registry();
        EXPECT_TRUE(reg.WriteRegistryString(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "v", c.data))
            << c.name;
        auto value = p.os.reg.get(PROGRAM_KEY, "v");
        ASSERT_TRUE(value.has_value()) << c.name;
        EXPECT_EQ(value->type, platform::REG_SZ_T) << c.name;
        EXPECT_EQ(value->data, c.stored + '\0') << c.name; // with the terminating zero
        EXPECT_EQ(p.os.reg.openHandles(), 0u) << c.name;
    }
}

TEST(WriteRegistryString, NamesMatchWithoutRegardToCase) {
    Program p;
    auto& reg = p.app->registry();
    reg.WriteRegistryString(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "C1", "5");
    EXPECT_EQ(reg.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "c1"), "5");
    reg.WriteRegistryString(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "c1", "");
    EXPECT_EQ(reg.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "C1"), " ");
}

TEST(WriteRegistryString, AFailedWriteReportsFalseAndStoresNothing) {
    Program p;
    p.os.reg.failWrites = true;
    EXPECT_FALSE(
        p.app->registry().WriteRegistryString(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "v", "x"));
    EXPECT_FALSE(p.os.reg.get(PROGRAM_KEY, "v").has_value());
    EXPECT_EQ(p.os.reg.openHandles(), 0u);
}

TEST(ReadRegistryValue, ReadsEachTypeAsTheProgramExpects) {
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string data;
        std::string text;
    };
    const Case cases[] = {
        {"text", platform::REG_SZ_T, "Minute(s)", "Minute(s)"},
        {"code page byte", platform::REG_SZ_T, "\xE9", "\xC3\xA9"},
        {"cut at a zero", platform::REG_SZ_T, std::string("ab\0cd", 5), "ab"},
        {"1024 bytes fit", platform::REG_SZ_T, std::string(1024, 'x'), std::string(1024, 'x')},
        {"1025 bytes read empty", platform::REG_SZ_T, std::string(1025, 'x'), ""},
        {"expand text unexpanded", platform::REG_EXPAND_SZ_T, "%TEMP%\\a", "%TEMP%\\a"},
        {"dword -1", platform::REG_DWORD_T, dwordBytes(-1), "-1"},
        {"dword max", platform::REG_DWORD_T, dwordBytes(2147483647), "2147483647"},
        {"dword zero", platform::REG_DWORD_T, dwordBytes(0), "0"},
        {"binary", 3, "abc", ""},
        {"multi text", 7, std::string("a\0b\0\0", 5), ""},
        {"type none", platform::REG_NONE_T, "abc", ""},
    };
    for (const auto& c : cases) {
        Program p;
        p.os.reg.put(PROGRAM_KEY, "v", {c.type, c.data});
        EXPECT_EQ(p.app->registry().ReadRegistryValue(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "V"),
                  c.text)
            << c.name;
        EXPECT_EQ(p.os.reg.openHandles(), 0u) << c.name;
    }
}

TEST(ReadRegistryValue, MissingKeyOrValueReadsEmpty) {
    Program p;
    auto& reg = p.app->registry();
    EXPECT_EQ(reg.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "c1"), "");
    p.os.reg.putText(PROGRAM_KEY, "other", "x");
    EXPECT_EQ(reg.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, PROGRAM_KEY, "c1"), "");
    EXPECT_EQ(p.os.reg.openHandles(), 0u);
}

TEST(AppSettings, GetGivesTheDefaultUntilSaved) {
    Program p;
    auto& store = p.app->appSettings();
    EXPECT_EQ(store.Get("KALO DC", "cmdrun", "cmdstop", "1"), "1");
    store.Save("KALO DC", "cmdrun", "cmdstop", "0");
    EXPECT_EQ(store.Get("KALO DC", "cmdrun", "cmdstop", "1"), "0");
    EXPECT_EQ(store.Get("Other", "cmdrun", "cmdstop", "1"), "1");
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
}

} // namespace
