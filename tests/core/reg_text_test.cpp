// The Linux settings file: the registry export text, written and read back exactly.
#include "settings/reg_text.h"

#include <gtest/gtest.h>

using settings::MemoryRegistry;
using V = MemoryRegistry::Value;
using namespace std::string_literals;

namespace {

MemoryRegistry::Keys
keysOf(std::initializer_list<std::tuple<const char*, const char*, MemoryRegistry::Value>> values) {
    MemoryRegistry reg;
    for (const auto& [key, name, value] : values)
        reg.put(key, name, value);
    return reg.keys();
}

} // namespace

TEST(RegText, WritesEveryValueSoThatItReadsBackTheSameAndReadsWhatOthersWrite) {
    const auto keys =
        keysOf({{"Software\\KALO\\KALO DC\\", "C1", V{1, "5\0"s}},
                {"software\\kalo\\kalo dc", "c1", V{1, "6\0"s}}, // one key, one value
                {"Software\\KALO\\KALO DC", "Path \"q\"", V{1, "C:\\a \"b\" \xC3\xA9\0"s}},
                {"Software\\KALO\\KALO DC", "", V{1, "\0"s}},
                {"Control Panel\\Desktop", "n", V{4, "\x2A\0\0\x80"s}},
                {"Control Panel\\Desktop", "lines", V{1, "a\r\nb\0"s}},
                {"Control Panel\\Desktop", "cut", V{1, "a\0b\0"s}},
                {"Control Panel\\Desktop", "raw", V{1, "no zero"}},
                {"Control Panel\\Desktop", "short", V{4, "ab"}},
                {"Control Panel\\Desktop", "none", V{0, ""}}});
    const std::string text = "Windows Registry Editor Version 5.00\n"
                             "\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                             "\"cut\"=hex(1):61,00,62,00\n"
                             "\"lines\"=hex(1):61,0d,0a,62,00\n"
                             "\"n\"=dword:8000002a\n"
                             "\"none\"=hex(0):\n"
                             "\"raw\"=hex(1):6e,6f,20,7a,65,72,6f\n"
                             "\"short\"=hex(4):61,62\n"
                             "\n[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\n"
                             "@=\"\"\n"
                             "\"C1\"=\"6\"\n"
                             "\"Path \\\"q\\\"\"=\"C:\\\\a \\\"b\\\" \xC3\xA9\"\n";
    EXPECT_EQ(settings::writeRegText(keys), text);
    EXPECT_EQ(settings::readRegText(text), keys);
    EXPECT_EQ(settings::writeRegText({}), "Windows Registry Editor Version 5.00\n");
    EXPECT_EQ(settings::readRegText(settings::writeRegText({})), MemoryRegistry::Keys{});
    // What a person or another program may write: CR LF, a byte-order mark, comments, blank
    // lines, a hex list over several lines, plain hex, short dwords, names in any case.
    const std::string others = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                               "; settings\r\n[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\r\n"
                               "\"C2\"=\"Minute(s)\"\r\n"
                               "\"bin\"=hex:01,02,\\\r\n  03\r\n"
                               "\"d\"=dword:A\r\n"
                               "[HKEY_CURRENT_USER\\software\\kalo\\kalo dc\\]\r\n"
                               "\"c2\"=\"Hour(s)\"";
    EXPECT_EQ(settings::readRegText(others),
              keysOf({{"Software\\KALO\\KALO DC", "C2", V{1, "Hour(s)\0"s}},
                      {"Software\\KALO\\KALO DC", "bin", V{3, "\x01\x02\x03"}},
                      {"Software\\KALO\\KALO DC", "d", V{4, "\x0A\0\0\0"s}}}));
}

TEST(RegText, RefusesATextThatIsNoExportAndSaysWhere) {
    const std::string head = "Windows Registry Editor Version 5.00\n";
    const std::string key = head + "[HKEY_CURRENT_USER\\K]\n", value = key + "\"a\"=";
    // Each reason with the line it names and the texts refused for it.
    const std::tuple<const char*, int, std::vector<std::string>> cases[] = {
        {"no registry export header", 1, {"", "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n"}},
        {"no registry export header", 2, {"\n\n"}},
        {"a value before any key", 2, {head + "\"a\"=\"1\"\n"}},
        {"a key outside HKEY_CURRENT_USER",
         2,
         {head + "[HKEY_LOCAL_MACHINE\\K]\n", head + "[HKEY_CURRENT_USER\\K\n",
          head + "[HKEY_CURRENT_USER\\]\n", head + "[HKEY_CURRENT_USER\\\\\\]\n"}},
        {"no value name", 3, {key + "a=\"1\"\n", key + "\"a\"\n", key + "\"a=\"1\"\n"}},
        {"a value that cannot be read",
         3,
         {value + "\"1\n", value + "\"1\" x\n", value + "-\n", value + "dword:123456789\n",
          value + "dword:\n", value + "dword:12g4\n", value + "str:61\n", value + "hex(1:61\n",
          value + "hex(1):6,123\n", value + "hex(1):61,,62\n", value + "hex(12:61\n",
          value + "hex:61,\\", value + "hex:61\\"}}, // the last two: going on past the end
        {"a value that cannot be read", 4, {key + "\"b\"=\"2\"\n\"a\"=hex:61,\\\n  zz\n"}},
    };
    for (const auto& [reason, line, texts] : cases)
        for (const auto& text : texts) {
            settings::RegTextError error{0, ""};
            const bool read = settings::readRegText(text, &error).has_value();
            EXPECT_EQ(std::tuple(read, error.line, error.reason),
                      std::tuple(false, line, std::string(reason)))
                << text;
        }
    settings::RegTextError none{0, ""};
    EXPECT_TRUE(settings::readRegText(key, &none) && none.line == 0) << "a good text, no error";
}
