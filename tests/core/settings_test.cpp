#include "fixture.h"
#include "settings/conversions.h"

using namespace settings;

TEST(Conversions, TruthValuesNumbersInTheLocaleAndIntegersRoundedHalfToEven) {
    for (const char* text : {"1", "-1", "2.5", "True", "TRUE", "1e3"})
        EXPECT_TRUE(toTruth(text)) << text;
    for (const char* text : {"0", " 0 ", "0.0", "false", "False"})
        EXPECT_FALSE(toTruth(text)) << text;
    for (const char* bad : {"", " ", "yes", "on", "1x", "truth", "0,5"})
        EXPECT_THROW(toTruth(bad), ConversionError) << "'" << bad << "'";
    const std::tuple<const char*, char, std::optional<double>> numbers[] = {
        {"2,5", ',', 2.5},    {" 3 ", ',', 3},    {"-1,25", ',', -1.25}, {",5", ',', 0.5},
        {"5,", ',', 5},       {"1e3", ',', 1000}, {"1,5e2", ',', 150},   {"2,5E+1", ',', 25},
        {"1e-3", '.', 0.001}, {"2.5", '.', 2.5},  {"2.5", ',', {}},      {",", ',', {}},
        {"", ',', {}},        {"1,2,3", ',', {}}, {"1 000", ',', {}},    {"e3", '.', {}},
        {"1e", '.', {}},      {"0x10", '.', {}},  {"1e999", '.', {}}};
    for (auto [text, separator, number] : numbers)
        EXPECT_EQ(parseNumber(text, separator), number) << text;
    const std::pair<double, int> rounded[] = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},         {-0.5, 0},        {-1.5, -2},
        {2.4999, 2}, {2.5001, 3}, {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768}};
    for (auto [value, result] : rounded)
        EXPECT_EQ(toInt16(value), result) << value;
    for (double bad : {32767.5, 32768.0, -32768.6, -32769.0, 1e300})
        EXPECT_THROW(toInt16(bad), OverflowError) << bad;
    EXPECT_EQ(std::tuple(toInt32("2,5", ','), toInt32("3,5", ',')), std::tuple(2, 4));
}

TEST(Registry, ValuesAndApplicationSettings) {
    testing_support::Program p;
    constexpr auto HKCU = platform::HKEY_CURRENT_USER_ROOT;
    auto& reg = p.app->registry();
    auto write = [&](auto n, auto d) { return reg.WriteRegistryString(HKCU, PROGRAM_KEY, n, d); };
    auto read = [&](auto name) { return reg.ReadRegistryValue(HKCU, PROGRAM_KEY, name); };
    EXPECT_EQ(read("c1"), "") << "no key";
    // Texts are stored as code page bytes with their terminating zero, an empty text as one
    // blank.
    for (auto [data, stored] :
         {std::pair{"Second(s)", "Second(s)"}, {"", " "}, {"caf\xC3\xA9", "caf\xE9"}}) {
        EXPECT_TRUE(write("v", data));
        EXPECT_EQ(p.os.reg.get(PROGRAM_KEY, "v").value_or(fake::FakeRegistry::Value{}).data,
                  std::string(stored) + '\0');
    }
    EXPECT_EQ(read("c1"), "") << "no value";
    auto readAs = [&](std::uint32_t type, std::string data) {
        return p.os.reg.put(PROGRAM_KEY, "v", {type, data}), read("V");
    };
    const std::string kb(1024, 'x'), kb1 = kb + "x", cut("ab\0cd", 5);
    const std::pair<std::string, std::string> texts[] = {
        {"Minute(s)", "Minute(s)"}, {"\xE9", "\xC3\xA9"}, {cut, "ab"}, {kb, kb}, {kb1, ""}};
    for (std::uint32_t type : {platform::REG_SZ_T, platform::REG_EXPAND_SZ_T})
        for (const auto& [data, text] : texts)
            EXPECT_EQ(readAs(type, data), text) << type << " " << data.size();
    for (std::uint32_t type : {0, 3, 7})
        EXPECT_EQ(readAs(type, {"a\0b\0\0", 5}), "") << type;
    for (std::int32_t n : {-1, 2147483647, 0})
        EXPECT_EQ(readAs(4, std::string(reinterpret_cast<const char*>(&n), 4)), std::to_string(n));
    EXPECT_EQ(p.os.reg.text(PROGRAM_KEY, "v"), std::nullopt) << "the store's text is a string's";
    p.app->appSettings().Save("KALO DC", "cmdrun", "cmdstop", "0"); // also as code page text
    EXPECT_EQ(p.os.reg.get(APP_SETTINGS_KEY + "KALO DC\\cmdrun", "cmdstop")->data,
              std::string("0") + '\0');
    EXPECT_EQ(p.app->appSettings().Get("KALO DC", "cmdrun", "other", "1"), "1") << "no value";
    EXPECT_FALSE(write("cjk", "\xE4\xB8\x80")) << "not in the code page";
    EXPECT_TRUE(reg.DeleteRegistryValue(HKCU, PROGRAM_KEY, "V"));
    EXPECT_FALSE(reg.DeleteRegistryValue(HKCU, PROGRAM_KEY, "v") ||
                 reg.DeleteRegistryValue(HKCU, PROGRAM_KEY + "\\none", "v"))
        << "already gone, or no key";
    p.os.reg.failWrites = true; // a change the store cannot keep fails and is undone
    EXPECT_FALSE(write("w", "x") || reg.WriteRegistryString(HKCU, PROGRAM_KEY + "\\new", "w", "x"));
    EXPECT_FALSE(p.os.reg.get(PROGRAM_KEY, "cjk") || p.os.reg.get(PROGRAM_KEY, "w") ||
                 p.os.reg.openKey(HKCU, PROGRAM_KEY + "\\new"));
    EXPECT_EQ(p.os.reg.openHandles(), 0u) << "every procedure closes its keys";
}
