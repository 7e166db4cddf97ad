// The Win32 services against the real system under Wine: the registry through the core's
// registry procedures, the ANSI code page, files, WIC and the desktop wallpaper.
#include "settings/registry_procs.h"
#include "support/fake_platform.h"
#include "support/faulty_file_steps.h"
#include "wallpaper/bmp_writer.h"
#include "win32/services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using platform::HKEY_CURRENT_USER_ROOT;
using win32::narrow;
using win32::widen;

// A new empty folder under %TEMP%, removed with everything in it at the end.
struct TempFolder {
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("kalo-w32-" + std::to_string(GetCurrentProcessId()));
    TempFolder() { std::filesystem::create_directories(root); }
    ~TempFolder() { std::filesystem::remove_all(root); }
    std::string file(const std::wstring& name) const { return narrow((root / name).wstring()); }
};

// Files read and written with the standard library, independently of the code under test.
void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(widen(path)), std::ios::binary) << bytes;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(std::filesystem::path(widen(path)), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

// The core's registry procedures over the real registry and code page.
struct RealRegistry : fake::FakePlatform {
    RealRegistry() : fake::FakePlatform("C:\\") {}
    platform::Registry& registry() override { return realRegistry; }
    const platform::CodePage& codePage() const override { return realCodePage; }
    win32::Win32Registry realRegistry;
    win32::Win32CodePage realCodePage;
};

struct Registry : testing::Test {
    const std::string key = "Software\\KALO DC tests\\" + std::to_string(GetCurrentProcessId());
    RealRegistry os;
    settings::RegistryProcedures procs{os};
    ~Registry() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

    bool write(const std::string& name, const std::string& text) {
        return procs.WriteRegistryString(HKEY_CURRENT_USER_ROOT, key, name, text);
    }
    std::string read(const std::string& name, const std::string& subKey = "") {
        return procs.ReadRegistryValue(HKEY_CURRENT_USER_ROOT, key + subKey, name);
    }
    void putRaw(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, data, size), 0);
    }
    // The stored value as the wide call sees it: its type and every stored byte as text.
    std::pair<DWORD, std::wstring> stored(const std::string& name) {
        wchar_t text[64] = {};
        DWORD type = 0, size = sizeof text;
        HKEY handle = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle);
        RegQueryValueExW(handle, widen(name).c_str(), 0, &type, LPBYTE(text), &size);
        RegCloseKey(handle);
        return {type, std::wstring(text, size / sizeof(wchar_t))};
    }
};

TEST_F(Registry, TypedValuesCodePageTextLetterCaseAndTheReadBuffer) {
    for (auto [name, text, wide, readAs, reads] :
         {std::tuple{"C1", "12", L"12", "c1", "12"}, std::tuple{"c1", "7", L"7", "C1", "7"},
          std::tuple{"path", "C:\\été.jpg", L"C:\\\u00e9t\u00e9.jpg", "PATH", "C:\\été.jpg"},
          std::tuple{"KALO DC", "", L" ", "kalo dc", " "}}) {
        ASSERT_TRUE(write(name, text)) << name;
        EXPECT_EQ(stored(name), std::pair(DWORD(REG_SZ), std::wstring(wide) + L'\0'))
            << "zero-ended";
        EXPECT_EQ(read(readAs), reads) << name;
    }
    EXPECT_FALSE(write("c1", "\u6f22")) << "text the code page cannot hold is not stored";
    EXPECT_EQ(read("c1"), "7");
    const char expandable[] = "%SystemRoot%\\x";
    putRaw("expand", REG_EXPAND_SZ, expandable, sizeof expandable);
    DWORD negative = 0xFFFFFFFEu, positive = 305419896u;
    putRaw("negative", REG_DWORD, &negative, sizeof negative);
    putRaw("positive", REG_DWORD, &positive, sizeof positive);
    putRaw("binary", REG_BINARY, "42", 3);
    putRaw("none", REG_NONE, "42", 3);
    ASSERT_TRUE(write("fits", std::string(1023, 'x')));
    ASSERT_TRUE(write("too long", std::string(1025, 'x')));
    for (auto [name, text] :
         {std::pair{"expand", "%SystemRoot%\\x"}, std::pair{"negative", "-2"},
          std::pair{"positive", "305419896"}, std::pair{"binary", ""}, std::pair{"none", ""},
          std::pair{"too long", ""}, std::pair{"absent", ""}})
        EXPECT_EQ(read(name), text) << name;
    EXPECT_EQ(read("fits"), std::string(1023, 'x'));
    EXPECT_EQ(read("c1", "\\absent"), "");
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
    EXPECT_EQ(cp.fromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(narrow(widen("K\u00f6ln \u6f22 \U0001F600")), "K\u00f6ln \u6f22 \U0001F600");
}

TEST(Files, AReplacementFailingAtAnyStepLeavesTheOldFileOrTheNew) {
    TempFolder folder;
    win32::Win32FileSteps real;
    EXPECT_EQ(fake::brokenReplacements(real, narrow(folder.root.wstring())), "");
}

TEST(Files, WholeReadsAtomicReplacementFoldersAndShortPaths) {
    TempFolder folder;
    win32::Win32Files files;
    const std::string odd = folder.file(L"K\u00f6ln \u6f22.dat"), list = folder.file(L"list.dat");
    writeBytes(odd, std::string("C:\\a.jpg\r\n\0\xe9\xff", 13));
    EXPECT_EQ(files.read(odd), std::string("C:\\a.jpg\r\n\0\xe9\xff", 13));
    EXPECT_EQ(files.read(folder.file(L"absent")), std::nullopt);
    EXPECT_EQ(files.read(folder.file(L"")), std::nullopt) << "a folder is no file";
    for (const char* bytes : {"", "first\r\n", "second, longer\r\n"}) {
        ASSERT_TRUE(files.replaceAtomically(list, bytes));
        EXPECT_EQ(bytesOf(list), bytes);
    }
    HANDLE editor = CreateFileW(widen(list).c_str(), GENERIC_WRITE, FILE_SHARE_READ, 0,
                                OPEN_EXISTING, 0, 0); // another program writing it
    EXPECT_EQ(std::tuple(files.read(list), files.exists(list), files.exists(list + "x")),
              std::tuple(std::optional<std::string>("second, longer\r\n"), true, false));
    CloseHandle(editor);
    HANDLE lock = CreateFileW(widen(list).c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
    EXPECT_FALSE(files.replaceAtomically(list, "new")) << "a locked file";
    CloseHandle(lock);
    std::filesystem::create_directory(widen(list + ".tmp")); // the temporary name is taken
    EXPECT_FALSE(files.replaceAtomically(list, "new"));
    std::filesystem::remove(widen(list + ".tmp"));
    EXPECT_FALSE(files.replaceAtomically(folder.file(L"absent\\list.dat"), "new"));
    EXPECT_EQ(bytesOf(list), "second, longer\r\n") << "the old content stays";
    EXPECT_TRUE(files.folderWritable(narrow(folder.root.wstring())));
    EXPECT_FALSE(files.folderWritable(folder.file(L"absent")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary or probe file is left, no missing folder made";
    EXPECT_TRUE(files.ensureFolder(folder.file(L"Local\\KALO DC\\deeper")));
    EXPECT_TRUE(files.folderWritable(folder.file(L"Local\\KALO DC\\deeper\\")));
    EXPECT_FALSE(files.ensureFolder(list)) << "a file stands in the way";
    auto shortened = files.shortPath(folder.file(L"A rather long picture name.jpeg"));
    EXPECT_EQ(shortened, std::nullopt) << "no such file";
    writeBytes(folder.file(L"A rather long picture name.jpeg"), "picture");
    shortened = files.shortPath(folder.file(L"A rather long picture name.jpeg"));
    ASSERT_TRUE(shortened.has_value());
    EXPECT_EQ(bytesOf(*shortened), "picture");
    EXPECT_NE(*shortened, folder.file(L"A rather long picture name.jpeg"));
}

bool closeTo(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF)) > tolerance)
            return false;
    return true;
}

// Pictures that ImageMagick wrote at build time beside this program: 32 x 24, a red left
// half, a blue right half with a green bottom-right corner.
TEST(LoadPicture, DecodesEachOfferedFormatAndRefusesWhatItCannot) {
    std::string pictures = win32::programLocation().folder + "\\pictures\\picture.";
    for (std::string format : {"bmp", "png", "jpg", "gif", "tif"}) {
        ui::PicturePtr picture = win32::loadPicture(pictures + format);
        ASSERT_TRUE(picture) << format;
        ASSERT_EQ(picture->pixels.size(), 32u * 24u) << format;
        EXPECT_EQ(picture->width, 32) << format;
        int tolerance = format == "jpg" ? 40 : 0; // lossy
        EXPECT_PRED3(closeTo, picture->at(4, 4), 0xFFFF0000u, tolerance) << format;
        EXPECT_PRED3(closeTo, picture->at(20, 4), 0xFF0000FFu, tolerance) << format;
        EXPECT_PRED3(closeTo, picture->at(28, 20), 0xFF00C000u, tolerance) << format;
    }
    TempFolder folder;
    writeBytes(folder.file(L"garbage.jpg"), "this is no picture at all");
    writeBytes(folder.file(L"empty.bmp"), "");
    writeBytes(folder.file(L"truncated.png"), "\x89PNG\r\n\x1a\n");
    for (const wchar_t* name : {L"garbage.jpg", L"empty.bmp", L"truncated.png", L"absent", L""})
        EXPECT_FALSE(win32::loadPicture(folder.file(name))) << narrow(name);
}

std::wstring recordedWallpaper() {
    wchar_t path[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

TEST(DesktopWallpaper, APathIsRecordedNoPathReappliesAndAForeignPathIsNotPassedOn) {
    TempFolder folder;
    std::wstring before = recordedWallpaper();
    win32::Win32CodePage cp;
    std::string plain = folder.file(L"KALO.bmp"), western = folder.file(L"K\u00f6ln.bmp"),
                foreign = folder.file(L"\u6f22.bmp");
    for (const std::string& path : {plain, western, foreign})
        writeBytes(path, wallpaper::encodeBmp({4, 4, std::vector<std::uint32_t>(16, 0x204080)}));
    for (const std::string& path : {plain, western}) {
        win32::setDesktopWallpaper(path, cp);
        EXPECT_EQ(recordedWallpaper(), widen(path));
    }
    win32::setDesktopWallpaper(std::nullopt, cp);
    win32::setDesktopWallpaper(foreign, cp);
    EXPECT_EQ(recordedWallpaper(), widen(western));
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, before.data(), SPIF_UPDATEINIFILE);
}

} // namespace
