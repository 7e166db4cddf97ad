// The desktop wallpaper as Windows records it.
#include "services_test_support.h"
#include "services_wic_writer.h"

#include <gtest/gtest.h>

namespace {

std::wstring recordedWallpaper() {
    wchar_t path[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0);
    return path;
}

struct WallpaperTest : testing::Test {
    services_test::TempFolder folder;
    win32::Win32CodePage cp;
    std::wstring before = recordedWallpaper();
    ~WallpaperTest() override {
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, before.data(), SPIF_UPDATEINIFILE);
    }
    std::wstring bitmap(const std::wstring& name) {
        std::wstring path = folder.wideFile(name);
        wic_writer::Pixels picture{4, 4, std::vector<std::uint32_t>(16, 0xFF204080u)};
        EXPECT_TRUE(wic_writer::write(path, GUID_ContainerFormatBmp, picture));
        return path;
    }
};

TEST_F(WallpaperTest, APathBecomesTheRecordedWallpaper) {
    for (const wchar_t* name : {L"KALO.bmp", L"K\u00f6ln.bmp"}) {
        std::wstring path = bitmap(name);
        win32::setDesktopWallpaper(win32::narrow(path), cp);
        EXPECT_EQ(recordedWallpaper(), path);
    }
}

TEST_F(WallpaperTest, NoPathReappliesTheRecordedOne) {
    std::wstring path = bitmap(L"KALO.bmp");
    win32::setDesktopWallpaper(win32::narrow(path), cp);
    win32::setDesktopWallpaper(std::nullopt, cp);
    EXPECT_EQ(recordedWallpaper(), path);
}

TEST_F(WallpaperTest, APathTheCodePageCannotHoldIsNotPassedOnAltered) {
    std::wstring path = bitmap(L"KALO.bmp");
    win32::setDesktopWallpaper(win32::narrow(path), cp);
    std::wstring foreign = bitmap(L"\u6f22.bmp");
    win32::setDesktopWallpaper(win32::narrow(foreign), cp);
    EXPECT_EQ(recordedWallpaper(), path);
}

} // namespace
