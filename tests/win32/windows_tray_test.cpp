// The tray window: the icon's notifications, the pop-up menu and its items.
#include "windows_fixture.h"

#include "platform/win32/tray_window.h"

using namespace win32_testing;
using platform::FormId;

namespace {

// What the open pop-up menu showed, read from inside its modal loop.
struct MenuSeen {
    int opened = 0;
    std::vector<std::string> captions;
    bool runOnStartUpChecked = false;
    int styleItems = 0;
};

WindowsProgram* current = nullptr;
MenuSeen* seen = nullptr;

void CALLBACK inspectOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HMENU menu = current->os->tray()->openMenu();
    if (menu) {
        ++seen->opened;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            seen->captions.push_back(text);
        }
        seen->runOnStartUpChecked =
            GetMenuState(menu, win32::tray_ids::RUN_ON_STARTUP, MF_BYCOMMAND) & MF_CHECKED;
        seen->styleItems = GetMenuItemCount(GetSubMenu(menu, 1));
        // A second right-click while the menu is open finds the handler busy.
        SendMessageW(current->window(FormId::KALO1), win32::TRAY_CALLBACK_MESSAGE, 0, WM_RBUTTONUP);
    }
    EndMenu();
}

struct TrayTest : ::testing::Test {
    WindowsProgram program;
    MenuSeen menu;
    void SetUp() override {
        program.start();
        current = &program;
        seen = &menu;
    }
    void notifyIcon(UINT mouseMessage) {
        SetTimer(nullptr, 0, 100, inspectOpenMenu);
        SendMessageW(program.window(FormId::KALO1), win32::TRAY_CALLBACK_MESSAGE, 0, mouseMessage);
        program.pump(200);
    }
};

} // namespace

TEST_F(TrayTest, RightButtonUpOpensTheMenuOnce) {
    notifyIcon(WM_RBUTTONUP);
    EXPECT_EQ(menu.opened, 1);
    EXPECT_EQ(menu.captions, (std::vector<std::string>{"Show Menu", "WallPapers Style",
                                                       "Run on StartUp", "Exit"}));
    EXPECT_EQ(menu.styleItems, 3);
    EXPECT_FALSE(menu.runOnStartUpChecked);
    EXPECT_FALSE(program.app->kalo1().busy);
    EXPECT_EQ(program.app->kalo1().lastNotification, float(WM_RBUTTONUP));
}

TEST_F(TrayTest, OtherMouseMessagesOpenNothing) {
    for (UINT message : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}) {
        notifyIcon(message);
        EXPECT_EQ(program.app->kalo1().lastNotification, float(message));
    }
    EXPECT_EQ(menu.opened, 0);
    EXPECT_FALSE(IsWindowVisible(program.window(FormId::KALO2)));
}

TEST_F(TrayTest, RunOnStartUpWritesThePathOrABlankAndMarksTheItem) {
    std::string path = '"' + program.folder + "\\" + TEST_EXE_NAME + ".exe\"";
    program.menuCommand(FormId::KALO1, win32::tray_ids::RUN_ON_STARTUP);
    EXPECT_EQ(storedText(settings::RUN_KEY, "KALO DC"), path);
    notifyIcon(WM_RBUTTONUP);
    EXPECT_TRUE(menu.runOnStartUpChecked);
    program.menuCommand(FormId::KALO1, win32::tray_ids::RUN_ON_STARTUP);
    EXPECT_EQ(storedText(settings::RUN_KEY, "KALO DC"), std::nullopt);
}

TEST_F(TrayTest, StyleItemsWriteTheDesktopValues) {
    struct Case {
        int command;
        const char *tile, *style;
    };
    using namespace win32::tray_ids;
    for (Case c : {Case{TILED, "1", "1"}, Case{STRETCHED, "0", "2"}, Case{CENTERED, "0", "0"}}) {
        program.menuCommand(FormId::KALO1, c.command);
        EXPECT_EQ(storedText(settings::DESKTOP_KEY, "TileWallpaper"), c.tile);
        EXPECT_EQ(storedText(settings::DESKTOP_KEY, "WallpaperStyle"), c.style);
    }
}

TEST_F(TrayTest, ShowMenuShowsTheMainWindow) {
    program.menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    EXPECT_TRUE(IsWindowVisible(program.window(FormId::KALO2)));
}
