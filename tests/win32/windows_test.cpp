// Real Win32 controls and timers bound to the models, and the program's windows as a new
// user expects them: in front when chosen again, the snow window never active.
#include "app/app.h"
#include "app/kalo4.h"
#include "support/control_models.h"
#include "support/temp_folder.h"
#include "win32/control_sync.h"
#include "win32/fonts.h"
#include "win32/main_window.h"
#include "win32/services.h"
#include "win32/tray_window.h"
#include "win32/win32_platform.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

using platform::FormId;
using win32::windowText;

ui::Window panelModel{"panel"};

// A plain window whose controls are bound through a control set, as a form's are.
struct Panel : win32::FormWindow {
    Panel() : FormWindow(panelModel) {
        create({L"KALO DC test panel", "panel", WS_POPUP, 0, {0, 0, 600, 400}});
        controls_ = std::make_unique<win32::ControlSet>(hwnd(), 100);
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }
    win32::ControlSet& set() { return *controls_; }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        auto answer = commonMessage(message, wParam, lParam);
        return answer ? *answer : defaultHandling(message, wParam, lParam);
    }
};

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window, message, wParam, lParam);
}

// A control's notification to its window, as the control sends it.
void notify(HWND control, int code) {
    send(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), LPARAM(control));
}

struct BoundControls : testing::Test, testing_support::ControlModels {
    Panel panel;
    HWND b = panel.set().button(button, {0, 0, 80, 20});
    HWND l = panel.set().label(label, {0, 30, 80, 20});
    HWND c = panel.set().checkBox(check, {0, 60, 80, 20});
    HWND lb = panel.set().listBox(list, {100, 0, 200, 100});
    HWND cb = panel.set().comboBox(combo, {100, 120, 200, 20}, 100);
    HWND s = panel.set().slider(slider, {100, 200, 200, 30});
};

TEST_F(BoundControls, ChangesMadeByCodeShowInTheControls) {
    check.setValue(2);
    list.setListIndex(1);
    list.removeAt(0);
    wchar_t item[64] = {};
    EXPECT_EQ(send(lb, LB_GETTEXT, 0, LPARAM(item)), 11); // the row's text, from the model
    EXPECT_EQ(std::tuple(send(c, BM_GETCHECK), win32::narrow(item), send(lb, LB_GETCOUNT),
                         send(lb, LB_GETCURSEL), send(lb, LB_GETITEMHEIGHT)),
              std::tuple(BST_INDETERMINATE, "D:\\K\u00f6ln.jpg", 2, list.listIndex(),
                         win32::lineHeight(win32::messageFont())));
    check.setValue(0);
    button.setCaption("Run");
    button.setEnabled(false);
    label.setVisible(false);
    combo.setText("Hour(s)");
    slider.setValue(33);
    EXPECT_EQ(std::tuple(send(c, BM_GETCHECK), windowText(b), IsWindowEnabled(b),
                         IsWindowVisible(l), windowText(cb), send(cb, CB_GETCOUNT),
                         send(s, TBM_GETRANGEMIN), send(s, TBM_GETRANGEMAX),
                         send(s, TBM_GETLINESIZE), send(s, TBM_GETPAGESIZE), send(s, TBM_GETPOS)),
              std::tuple(BST_UNCHECKED, "Run", FALSE, FALSE, "Hour(s)", 2, 1, 50, 1, 5, 33));
}

TEST_F(BoundControls, TheControlsNotificationsRaiseTheModelsEvents) {
    send(b, BM_CLICK);
    notify(l, STN_CLICKED);
    send(c, BM_CLICK);
    send(lb, LB_SETCURSEL, 2);
    notify(lb, LBN_SELCHANGE);
    SetWindowTextW(cb, L"typed");
    notify(cb, CBN_EDITCHANGE);
    EXPECT_EQ(
        std::tuple(check.value(), send(c, BM_GETCHECK), list.listIndex(), combo.text(), events),
        std::tuple(1, BST_CHECKED, 2, "typed", "button label check list "))
        << "typed text runs no click";
    send(cb, CB_SETCURSEL, 1);
    notify(cb, CBN_SELCHANGE);
    send(s, TBM_SETPOS, TRUE, 7);
    send(panel.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), LPARAM(s));
    EXPECT_EQ(slider.value(), 10) << "a drag in progress moves nothing";
    send(panel.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(s));
    EXPECT_EQ(std::tuple(combo.text(), slider.value(), events),
              std::tuple("Minute(s)", 7, "button label check list combo slider "));
    // A typed letter selects the next entry that starts with it, round past the end.
    for (auto [typed, selected] :
         {std::pair{L'd', 1L}, std::pair{L'c', 2L}, std::pair{L'C', 0L}, std::pair{L'x', 0L}}) {
        send(lb, WM_CHAR, typed);
        EXPECT_EQ(list.listIndex(), selected) << char(typed);
        EXPECT_EQ(send(lb, LB_GETCURSEL), selected) << char(typed);
    }
}

void clearStoredSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KALO");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings");
}

// The Windows program started in the test process over a fresh folder: its real windows,
// with the shell's "open" recorded and the process kept alive when the program ends.
struct ProgramWindows : testing::Test, testing_support::TempFolder {
    std::vector<std::string> opened;
    std::unique_ptr<win32::Win32Platform> os;
    std::unique_ptr<app::App> app;

    void SetUp() override {
        clearStoredSettings();
        win32::Seams seams;
        seams.location = platform::ProgramLocation{folder, "KALO DC first use", folder, '\\'};
        seams.messageBox = [](const std::string&, const std::string&, int) {};
        seams.shellOpen = [this](const std::string& address) {
            opened.push_back(address);
            return std::intptr_t(42);
        };
        seams.previousInstance = [] { return false; };
        seams.endProcess = [] {};
        os = std::make_unique<win32::Win32Platform>(seams);
        app = std::make_unique<app::App>(*os);
        os->attach(*app);
        app->start();
    }
    void TearDown() override {
        app.reset();
        os.reset();
        clearStoredSettings();
    }
    // True once `done` holds, the program's messages handled meanwhile; false after `limit`.
    template <typename Condition>
    bool until(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < end) {
            os->doEvents();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return done();
    }
    void menuCommand(FormId form, int id) { SendMessageW(os->windowOf(form), WM_COMMAND, id, 0); }
    // A key pressed over the control that has the focus, then a wait for its effect.
    template <typename Condition> bool press(WPARAM key, Condition effect) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, LPARAM(0xC0000001));
        return until(effect);
    }
};

TEST_F(ProgramWindows, WindowsAnswerTheKeyboardAndComeToTheFrontButTheSnowWindowNever) {
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    HWND ok = os->controlOf(FormId::KALO4, app->kalo4().ok);
    HWND link = os->controlOf(FormId::KALO4, app->kalo4().Label786);
    EXPECT_TRUE(SendMessageW(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    ASSERT_TRUE(until([&] { return GetFocus() == ok; }));
    ASSERT_TRUE(press(VK_TAB, [&] { return GetFocus() == link; }));
    EXPECT_TRUE(press(VK_RETURN, [&] { return opened.size() == 1; }));
    EXPECT_TRUE(app->kalo4Loaded()) << "Enter on the link opens the site only";
    ASSERT_TRUE(press(VK_TAB, [&] { return GetFocus() == ok; }));
    EXPECT_TRUE(press(VK_RETURN, [&] { return !app->kalo4Loaded(); }));
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    ASSERT_TRUE(until([&] { return IsChild(os->windowOf(FormId::KALO4), GetFocus()); }));
    EXPECT_TRUE(press(VK_ESCAPE, [&] { return !app->kalo4Loaded(); }));
    EXPECT_EQ(opened.size(), 1u);
    menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    HWND main = os->windowOf(FormId::KALO2), about = os->windowOf(FormId::KALO4);
    ASSERT_TRUE(until([&] { return GetForegroundWindow() == about; }));
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(until([&] { return IsIconic(main); }));
    menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    EXPECT_TRUE(until([&] { return !IsIconic(main) && GetForegroundWindow() == main; }));
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    EXPECT_TRUE(until([&] { return GetForegroundWindow() == about; }));
    app->kalo3(); // the snow window: layered and keyed, off the taskbar, never activated
    HWND snow = os->windowOf(FormId::KALO3);
    LONG kept = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(std::pair(GetWindowLongW(snow, GWL_EXSTYLE) & kept,
                        GetWindowLongW(snow, GWL_STYLE) & WS_CAPTION),
              std::pair(kept, 0L));
}

TEST_F(ProgramWindows, TimersFireOnlyWhileEnabledWithAnInterval) {
    win32::TimerClock clock;
    ui::Timer timer{20, true};
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    clock.watch(timer);
    // Three ticks come soon; a stopped timer gives none, however long one waits.
    auto ticksWithin = [&](int count, int ms) {
        const int target = ticks + count;
        return until([&] { return ticks >= target; }, std::chrono::milliseconds(ms));
    };
    EXPECT_TRUE(ticksWithin(3, 5000));
    timer.setEnabled(false);
    EXPECT_FALSE(ticksWithin(1, 300));
    timer.setInterval(0);
    timer.setEnabled(true);
    EXPECT_FALSE(ticksWithin(1, 300)) << "an interval of 0 never fires";
    timer.setInterval(30);
    EXPECT_TRUE(ticksWithin(3, 5000));
    clock.unwatch(timer);
    EXPECT_FALSE(ticksWithin(1, 300));
}

} // namespace
