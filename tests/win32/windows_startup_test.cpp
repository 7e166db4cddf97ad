// Start-up, the single-instance notice and the end of the program, with real windows.
#include "windows_fixture.h"

#include "platform/win32/main_window.h"
#include "platform/win32/tray_window.h"

#include <shellapi.h>

using namespace win32_testing;
using platform::FormId;

namespace {

// NIM_MODIFY succeeds only for an icon the tray holds.
bool trayIconShown(HWND tray) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = tray;
    data.uID = win32::TRAY_ICON_ID;
    return Shell_NotifyIconA(NIM_MODIFY, &data);
}

} // namespace

TEST(WindowsStartUp, LeavesOnlyTheTrayIconWithTheMainWindowHidden) {
    WindowsProgram program;
    program.start();
    HWND tray = program.window(FormId::KALO1);
    HWND main = program.window(FormId::KALO2);
    ASSERT_TRUE(IsWindow(tray));
    ASSERT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(windowText(main), app::MAIN_CAPTION);
    EXPECT_TRUE(trayIconShown(tray));
    EXPECT_EQ(program.window(FormId::KALOload), nullptr);
    EXPECT_EQ(program.ends, 0);
}

TEST(WindowsStartUp, ExitFromEitherMenuRemovesTheIconAndEnds) {
    struct Case {
        FormId window;
        int command;
    };
    for (Case c :
         {Case{FormId::KALO2, win32::main_ids::EXIT}, Case{FormId::KALO1, win32::tray_ids::EXIT}}) {
        WindowsProgram program;
        program.start();
        HWND tray = program.window(FormId::KALO1);
        program.menuCommand(c.window, c.command);
        EXPECT_EQ(program.ends, 1) << c.command;
        EXPECT_FALSE(trayIconShown(tray)) << c.command;
    }
}

TEST(WindowsStartUp, TaskbarRestartBringsTheIconBack) {
    WindowsProgram program;
    program.start();
    HWND tray = program.window(FormId::KALO1);
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = tray;
    data.uID = win32::TRAY_ICON_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
    ASSERT_FALSE(trayIconShown(tray));
    SendMessageW(tray, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(trayIconShown(tray));
}

TEST(WindowsStartUp, SecondInstanceShowsTheNoticeForFiveSecondsThenEnds) {
    WindowsProgram program;
    program.otherInstance = true;
    program.start();
    HWND notice = program.window(FormId::KALOload);
    ASSERT_TRUE(IsWindow(notice));
    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ(windowText(program.os->controlOf(FormId::KALOload, program.app->kaloLoad().Label1)),
              "KALO DC  Version 1.0");
    EXPECT_EQ(windowText(program.os->controlOf(FormId::KALOload, program.app->kaloLoad().Label2)),
              "Is Already Running !");
    EXPECT_EQ(program.window(FormId::KALO2), nullptr);
    EXPECT_FALSE(trayIconShown(program.window(FormId::KALO1)));
    program.pump(4000);
    EXPECT_EQ(program.ends, 0);
    EXPECT_TRUE(program.pumpUntil([&] { return program.ends > 0; }, 3000));
}
