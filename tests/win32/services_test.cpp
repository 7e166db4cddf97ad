// The Win32 services against the real system under Wine: the registry through the core's
// registry procedures, the ANSI code page, files, WIC and the desktop wallpaper.
#include "settings/registry_procs.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"
#include "wallpaper/bmp_writer.h"
#include "win32/services.h"

#include <gtest/gtest.h>

namespace {

using platform::HKEY_CURRENT_USER_ROOT;
using win32::narrow;
using win32::widen;

// The core's registry procedures over the real registry and code page.
struct RealRegistry : fake::FakePlatform {
    RealRegistry() : fake::FakePlatform("C:\\") {}
    platform::Registry& registry() override { return realRegistry; }
    const platform::CodePage& codePage() const override { return realCodePage; }
    win32::Win32Registry realRegistry;
    win32::Win32CodePage realCodePage;
};

// Tests over a new empty folder under %TEMP% and a registry key of their own, both removed
// with everything in them at the end.
struct Services : testing::Test, testing_support::TempFolder {
    const std::string key = "Software\\KALO DC tests\\" + std::to_string(GetCurrentProcessId());
    RealRegistry os;
    settings::RegistryProcedures procs{os};
    fake::FakeFiles disk; // writes files independently of the code under test
    ~Services() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }
    std::string file(const std::wstring& name) const {
        return narrow((std::filesystem::path(folder) / name).wstring());
    }
    // The stored value as the wide call sees it: its type and every stored byte as text.
    std::pair<DWORD, std::wstring> stored(const std::string& name) {
        wchar_t text[64] = {};
        DWORD type = 0, size = sizeof text;
        RegGetValueW(HKEY_CURRENT_USER, widen(key).c_str(), widen(name).c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size);
        return {type, std::wstring(text, size / sizeof(wchar_t))};
    }
};

TEST_F(Services, RegistryTextInTheCodePageWithItsZeroTypedValuesAndTheReadBuffer) {
    ASSERT_TRUE(procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, "path", "C:\\été.jpg"));
    EXPECT_EQ(stored("path"),
              std::pair(DWORD(REG_SZ), std::wstring(L"C:\\\u00e9t\u00e9.jpg\0", 11)));
    EXPECT_EQ(procs.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, key, "PATH"), "C:\\été.jpg");
    // Values of other types and lengths, as other programs store them.
    const std::tuple<const char*, DWORD, std::string, std::string> values[] = {
        {"binary", REG_BINARY, {"42", 3}, ""},
        {"fits the read buffer", REG_SZ, std::string(1023, 'x') + '\0', std::string(1023, 'x')},
        {"too long", REG_SZ, std::string(1025, 'x') + '\0', ""}};
    for (const auto& [name, type, data, text] : values) {
        LONG status = RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, data.data(),
                                      DWORD(data.size()));
        ASSERT_EQ(status, ERROR_SUCCESS) << name;
        EXPECT_EQ(procs.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, key, name), text) << name;
    }
}

TEST(CodePage, WesternTextRoundTripsAndTheRestIsRefused) {
    ASSERT_EQ(GetACP(), 1252u);
    win32::Win32CodePage cp;
    for (auto [utf8, ansi] :
         {std::pair{"\u00e9", "\xe9"}, std::pair{"\u00a0", "\xa0"}, std::pair{"\u20ac", "\x80"},
          std::pair{"C:\\K\u00f6ln", "C:\\K\xf6ln"}, std::pair{"", ""}}) {
        EXPECT_EQ(cp.toAnsi(utf8), std::optional<std::string>(ansi)) << utf8;
        EXPECT_EQ(cp.fromAnsi(ansi), utf8);
    }
    // CJK, a letter that would best-fit to "a", a symbol that would become "?", bad UTF-8.
    for (const char* text : {"\u6f22", "a\u6f22b", "\u0101", "\u2603", "\xff\xfe"})
        EXPECT_EQ(cp.toAnsi(text), std::nullopt) << text;
    EXPECT_EQ(cp.fromAnsi(std::string("\xe9\0b", 3)), std::string("\u00e9\0b", 4));
    EXPECT_EQ(narrow(widen("K\u00f6ln \u6f22 \U0001F600")), "K\u00f6ln \u6f22 \U0001F600");
}

// At the end, the real file steps broken at each step in turn leave the old file or the new.
TEST_F(Services, FilesReadWholeReplaceAtomicallyAndMakeFolders) {
    win32::Win32Files files;
    const std::string list = file(L"K\u00f6ln \u6f22.dat"), bytes("C:\\a.jpg\r\n\0\xe9\xff", 13);
    disk.replaceAtomically(list, bytes);
    HANDLE editor = CreateFileW(widen(list).c_str(), GENERIC_WRITE, FILE_SHARE_READ, 0,
                                OPEN_EXISTING, 0, 0); // another program writing it
    EXPECT_EQ(std::tuple(files.read(list), files.read(file(L"absent")), files.read(folder),
                         files.exists(list), files.exists(list + "x")),
              std::tuple(std::optional(bytes), std::nullopt, std::nullopt, true, false));
    CloseHandle(editor);
    ASSERT_TRUE(files.replaceAtomically(list, "new\r\n"));
    HANDLE lock = CreateFileW(widen(list).c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    EXPECT_FALSE(files.replaceAtomically(list, "newer")) << "a locked file";
    CloseHandle(lock);
    EXPECT_FALSE(files.replaceAtomically(file(L"absent\\list.dat"), "newer"));
    EXPECT_EQ(files.read(list), "new\r\n") << "replaced, then the old content stays";
    // Run in order (a braced list): a probe file left behind would fail the second probe.
    const std::string deeper = file(L"Local\\KALO DC\\deeper");
    EXPECT_EQ((std::tuple{files.folderWritable(folder), files.folderWritable(folder),
                          files.folderWritable(file(L"absent")), files.exists(file(L"absent")),
                          files.ensureFolder(deeper), files.folderWritable(deeper + "\\"),
                          files.ensureFolder(list)}),
              std::tuple(true, true, false, false, true, true, false));
    const std::string longName = file(L"A rather long picture name.jpeg");
    EXPECT_EQ(files.shortPath(longName), std::nullopt) << "no such file";
    disk.replaceAtomically(longName, "picture");
    const std::string shortName = files.shortPath(longName).value_or(longName);
    EXPECT_NE(shortName, longName);
    EXPECT_EQ(files.read(shortName), "picture");
    win32::Win32FileSteps steps;
    EXPECT_EQ(fake::brokenReplacements(steps, folder), "");
}

bool closeTo(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF)) > tolerance)
            return false;
    return true;
}

// ImageMagick's pictures beside this program: 32 x 24, red left, blue right, green corner.
TEST(Pictures, EachOfferedFormatDecodes) {
    std::string pictures = win32::programLocation().folder + "\\pictures\\picture.";
    for (std::string format : {"bmp", "png", "jpg", "gif", "tif"}) {
        ui::PicturePtr picture = win32::loadPicture(pictures + format);
        ASSERT_TRUE(picture && picture->width == 32 && picture->height == 24 &&
                    picture->bytes.size() == 96u * 24u)
            << format;
        int tolerance = format == "jpg" ? 40 : 0; // lossy
        EXPECT_PRED3(closeTo, picture->at(4, 4), 0xFFFF0000u, tolerance) << format;
        EXPECT_PRED3(closeTo, picture->at(20, 4), 0xFF0000FFu, tolerance) << format;
        EXPECT_PRED3(closeTo, picture->at(28, 20), 0xFF00C000u, tolerance) << format;
    }
}

std::wstring recordedWallpaper() {
    wchar_t path[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

TEST_F(Services, TheWallpaperPathIsRecordedNoPathReappliesAndAForeignPathIsNotPassedOn) {
    std::wstring before = recordedWallpaper();
    std::string western = file(L"K\u00f6ln.bmp"), foreign = file(L"\u6f22.bmp");
    for (const std::string& path : {western, foreign})
        disk.replaceAtomically(
            path, wallpaper::encodeBmp({4, 4, decltype(ui::Picture::bytes)(48, 0x40)}));
    win32::setDesktopWallpaper(western, os.realCodePage);
    EXPECT_EQ(recordedWallpaper(), widen(western));
    win32::setDesktopWallpaper(std::nullopt, os.realCodePage);
    win32::setDesktopWallpaper(foreign, os.realCodePage);
    EXPECT_EQ(recordedWallpaper(), widen(western));
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, before.data(), SPIF_UPDATEINIFILE);
}

} // namespace
