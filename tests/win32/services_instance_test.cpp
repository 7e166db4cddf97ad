// The single-instance mutex, and where the program finds itself.
#include "services_test_support.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

TEST(InstanceMutex, FirstClaimFindsNoneSecondFindsOne) {
    std::wstring name = L"Local\\KALO DC test " + std::to_wstring(GetCurrentProcessId());
    EXPECT_FALSE(win32::claimInstanceMutex(name));
    EXPECT_TRUE(win32::claimInstanceMutex(name));
    EXPECT_TRUE(win32::claimInstanceMutex(name));
}

TEST(InstanceMutex, TheProgramHoldsItsOwnNameForTheProcess) {
    bool first = win32::previousInstanceRunning();
    EXPECT_FALSE(first) << "another copy holds the program's mutex";
    EXPECT_EQ(win32::previousInstanceRunning(), first); // asking again changes nothing
    EXPECT_TRUE(win32::claimInstanceMutex(L"Local\\KALO DC single instance"));
}

TEST(ProgramLocation, NamesTheRunningExecutable) {
    platform::ProgramLocation where = win32::programLocation();
    EXPECT_EQ(where.executableName, "win32_tests");
    EXPECT_EQ(where.separator, '\\');
    ASSERT_FALSE(where.folder.empty());
    EXPECT_NE(where.folder.back(), '\\');
    std::wstring programPath = win32::widen(where.folder + "\\" + where.executableName + ".exe");
    DWORD attributes = GetFileAttributesW(programPath.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << where.folder;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProgramLocation, UserDataLivesUnderLocalAppData) {
    wchar_t local[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH), 0u);
    EXPECT_EQ(win32::programLocation().userDataFolder, win32::narrow(local) + "\\KALO DC");
}

TEST(ScreenMetrics, TwipsFollowTheDisplayDpi) {
    platform::ScreenMetrics metrics = win32::screenMetrics();
    EXPECT_EQ(metrics.widthPixels, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(metrics.heightPixels, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(metrics.widthPixels, 0);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    ASSERT_GT(dpi, 0);
    EXPECT_DOUBLE_EQ(metrics.twipsPerPixelX, 1440.0 / dpi);
    if (dpi == 96) {
        EXPECT_DOUBLE_EQ(metrics.twipsPerPixelY, 15.0);
    }
}

TEST(ShellOpen, ReportsTheShellsAnswer) {
    services_test::TempFolder folder;
    EXPECT_EQ(win32::shellOpen(folder.file("absent.kalo-none")), SE_ERR_FNF);
    EXPECT_EQ(win32::shellOpen("\u6f22\\absent"), SE_ERR_FNF);
}

} // namespace
