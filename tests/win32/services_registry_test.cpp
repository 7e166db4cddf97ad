// The registry rules the settings rely on, against the real registry: through the raw
// service and through the two registry procedures of the core.
#include "services_test_support.h"
#include "settings/registry_procs.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace {

using platform::HKEY_CURRENT_USER_ROOT;

// The core's procedures over the real registry and code page.
struct RealRegistryPlatform : fake::FakePlatform {
    RealRegistryPlatform() : fake::FakePlatform("C:\\") {}
    platform::Registry& registry() override { return realRegistry; }
    const platform::CodePage& codePage() const override { return realCodePage; }
    win32::Win32Registry realRegistry;
    win32::Win32CodePage realCodePage;
};

class RegistryTest : public testing::Test {
  protected:
    const std::string key = "Software\\KALO DC service tests\\" +
                            std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount());
    RealRegistryPlatform os;
    settings::RegistryProcedures procs{os};

    ~RegistryTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

    HKEY rawKey() {
        HKEY handle = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr);
        return handle;
    }
    void putRaw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY handle = rawKey();
        ASSERT_EQ(RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    // The stored value as the wide call sees it: type, byte count, text.
    struct Stored {
        DWORD type = 0, bytes = 0;
        std::wstring text;
    };
    Stored stored(const wchar_t* name) {
        HKEY handle = rawKey();
        wchar_t buffer[4096] = {};
        Stored value;
        value.bytes = sizeof buffer;
        RegQueryValueExW(handle, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                         &value.bytes);
        RegCloseKey(handle);
        value.text.assign(buffer, value.bytes / sizeof(wchar_t));
        return value;
    }
    std::string read(const std::string& name) {
        return procs.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, key, name);
    }
};

TEST_F(RegistryTest, ValueNamesMatchWithoutRegardToCase) {
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "C1", "12"));
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "C2", "Minute(s)"));
    EXPECT_EQ(read("c1"), "12");
    EXPECT_EQ(read("c2"), "Minute(s)");
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "c1", "7"));
    EXPECT_EQ(read("C1"), "7");
}

TEST_F(RegistryTest, TextIsStoredAsRegSzWithItsTerminatorInTheCodePage) {
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "c1", "abc"));
    Stored value = stored(L"c1");
    EXPECT_EQ(value.type, DWORD(REG_SZ));
    EXPECT_EQ(value.bytes, 4 * sizeof(wchar_t)); // three characters and the zero after them
    EXPECT_EQ(value.text, std::wstring(L"abc") + L'\0');

    ASSERT_TRUE(
        procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "path", "C:\\Bilder\\été.jpg"));
    EXPECT_EQ(stored(L"path").text, std::wstring(L"C:\\Bilder\\\u00e9t\u00e9.jpg") + L'\0');
    EXPECT_EQ(read("path"), "C:\\Bilder\\été.jpg");
}

TEST_F(RegistryTest, EmptyTextIsStoredAsOneBlank) {
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "KALO DC", ""));
    EXPECT_EQ(stored(L"KALO DC").text, std::wstring(L" ") + L'\0');
    EXPECT_EQ(read("kalo dc"), " ");
}

TEST_F(RegistryTest, OtherValueTypesReadAsTheProceduresSay) {
    const char expandable[] = "%SystemRoot%\\x";
    putRaw("expand", REG_EXPAND_SZ, expandable, sizeof expandable);
    DWORD negative = 0xFFFFFFFEu, positive = 305419896u;
    putRaw("negative", REG_DWORD, &negative, sizeof negative);
    putRaw("positive", REG_DWORD, &positive, sizeof positive);
    const BYTE binary[] = {'4', '2', 0};
    putRaw("binary", REG_BINARY, binary, sizeof binary);
    putRaw("none", REG_NONE, binary, sizeof binary);
    struct Case {
        const char* name;
        const char* text;
    };
    for (Case c : {Case{"expand", "%SystemRoot%\\x"}, Case{"negative", "-2"},
                   Case{"positive", "305419896"}, Case{"binary", ""}, Case{"none", ""}})
        EXPECT_EQ(read(c.name), c.text) << c.name;
}

TEST_F(RegistryTest, ValuesBeyondTheReadBufferReadAsEmpty) {
    for (std::size_t length : {std::size_t(1), std::size_t(1000), std::size_t(1023)}) {
        std::string text(length, 'x');
        ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "long", text));
        EXPECT_EQ(read("long"), text) << length;
    }
    for (std::size_t length : {std::size_t(1025), std::size_t(4000)}) {
        ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "long",
                                              std::string(length, 'x')));
        EXPECT_EQ(read("long"), "") << length;
    }
}

TEST_F(RegistryTest, MissingKeyAndMissingValueReadAsEmpty) {
    EXPECT_EQ(procs.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, key + "\\absent", "c1"), "");
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "present", "1"));
    EXPECT_EQ(read("absent"), "");
    win32::Win32Registry raw;
    EXPECT_FALSE(raw.openKey(HKEY_CURRENT_USER_ROOT, key + "\\absent").has_value());
}

TEST_F(RegistryTest, TextTheCodePageCannotHoldIsNotStored) {
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "c1", "before"));
    EXPECT_FALSE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "c1", "\u6f22"));
    EXPECT_EQ(read("c1"), "before");
}

TEST_F(RegistryTest, ApplicationSettingsKeepTheirDefaultUntilSaved) {
    settings::AppSettings store{os};
    std::string application = "KALO DC service tests " + std::to_string(GetCurrentProcessId());
    EXPECT_EQ(store.Get(application, "cmdrun", "cmdstop", "1"), "1");
    store.Save(application, "cmdrun", "cmdstop", "0");
    EXPECT_EQ(store.Get(application, "CMDRUN", "CmdStop", "1"), "0");
    std::string where = settings::APP_SETTINGS_KEY + application;
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (where + "\\cmdrun").c_str(), 0, KEY_READ, &handle),
              ERROR_SUCCESS);
    RegCloseKey(handle);
    RegDeleteTreeA(HKEY_CURRENT_USER, where.c_str());
}

TEST_F(RegistryTest, EveryOpenedKeyCanBeClosed) {
    win32::Win32Registry raw;
    auto created = raw.createKey(HKEY_CURRENT_USER_ROOT, key + "\\sub");
    ASSERT_TRUE(created.has_value());
    EXPECT_TRUE(raw.setString(*created, "v", std::string("x\0", 2)));
    raw.closeKey(*created);
    auto opened = raw.openKey(HKEY_CURRENT_USER_ROOT, key + "\\SUB");
    ASSERT_TRUE(opened.has_value());
    std::uint32_t type = 0;
    std::string data;
    ASSERT_TRUE(raw.query(*opened, "V", 1024, type, data));
    EXPECT_EQ(type, std::uint32_t(REG_SZ));
    EXPECT_EQ(data, std::string("x\0", 2));
    raw.closeKey(*opened);
}

} // namespace
