// The about box: opened once, its link and frame open the site, OK and the close box
// unload it.
#include "windows_fixture.h"

#include "app/kalo4.h"
#include "platform/win32/main_window.h"

using namespace win32_testing;
using platform::FormId;

namespace {

struct AboutTest : ::testing::Test {
    WindowsProgram program;
    void SetUp() override {
        program.start();
        open();
    }
    void open() { program.menuCommand(FormId::KALO2, win32::main_ids::ABOUT); }
    HWND about() { return program.window(FormId::KALO4); }
    HWND control(const ui::Control& c) { return program.os->controlOf(FormId::KALO4, c); }
};

std::string toolText(HWND tips, HWND owner, HWND tool) {
    wchar_t text[256] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, WPARAM(std::size(text)), LPARAM(&info));
    return win32::narrow(text);
}

} // namespace

TEST_F(AboutTest, OpensOnceWithItsTexts) {
    HWND first = about();
    ASSERT_TRUE(IsWindow(first));
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(windowText(first), app::MAIN_CAPTION);
    open();
    EXPECT_EQ(about(), first);
    auto& form = program.app->kalo4();
    EXPECT_EQ(windowText(control(form.Label1)), "KALO DC  Version 1.0");
    EXPECT_EQ(windowText(control(form.Label786)), app::WEB_SITE);
    EXPECT_EQ(windowText(control(form.ok)), "OK");
}

TEST_F(AboutTest, TheLinkAndItsFrameOpenTheSiteOncePerClick) {
    auto& form = program.app->kalo4();
    program.notify(control(form.Label786), STN_CLICKED);
    program.notify(control(form.Frame1), STN_CLICKED);
    EXPECT_EQ(program.opened, (std::vector<std::string>{app::WEB_SITE, app::WEB_SITE}));
}

TEST_F(AboutTest, TheLinkAndItsFrameCarryTheToolTip) {
    auto& form = program.app->kalo4();
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = window;
            return TRUE;
        },
        LPARAM(&tips));
    ASSERT_TRUE(tips);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
    EXPECT_EQ(toolText(tips, about(), control(form.Label786)), app::LINK_TIP);
    EXPECT_EQ(toolText(tips, about(), control(form.Frame1)), app::LINK_TIP);
}

TEST_F(AboutTest, OkAndTheCloseBoxUnloadIt) {
    HWND first = about();
    SendMessageW(control(program.app->kalo4().ok), BM_CLICK, 0, 0);
    program.pump(20);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(program.app->kalo4Loaded());
    open();
    HWND second = about();
    ASSERT_TRUE(IsWindow(second));
    EXPECT_TRUE(IsWindowVisible(second));
    SendMessageW(second, WM_CLOSE, 0, 0);
    program.pump(20);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_FALSE(program.app->kalo4Loaded());
    EXPECT_TRUE(IsWindow(program.window(FormId::KALO2)));
}
