// Real Win32 controls and timers bound to the models: a change made by code shows in the
// window, and the window's own notifications raise the models' events.
#include "app/app.h"
#include "win32/control_sync.h"
#include "win32/fonts.h"
#include "win32/services.h"
#include "win32/win32_platform.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>

namespace {

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

struct BoundControls : testing::Test {
    Panel panel;
    ui::Button button{"Add"};
    ui::Label label{"Layers"};
    ui::CheckBox check{"Snow on top"};
    ui::ListBox list;
    ui::ComboBox combo{"Interval"};
    ui::Slider slider{1, 50, 1, 5, 10};
    HWND b = panel.set().button(button, {0, 0, 80, 20});
    HWND l = panel.set().label(label, {0, 30, 80, 20});
    HWND c = panel.set().checkBox(check, {0, 60, 80, 20});
    HWND lb = panel.set().listBox(list, {100, 0, 200, 100});
    HWND cb = panel.set().comboBox(combo, {100, 120, 200, 20}, 100);
    HWND s = panel.set().slider(slider, {100, 200, 200, 30});
    int events = 0;
    void SetUp() override {
        for (auto* event :
             {&button.Click, &label.Click, &check.Click, &list.Click, &combo.Click, &slider.Change})
            *event = [this] { ++events; };
        for (const char* item : {"C:\\a.jpg", "D:\\K\u00f6ln.jpg", "c:\\c.jpg"})
            list.add(item);
        for (const char* unit : {"Second(s)", "Minute(s)"})
            combo.add(unit);
    }
};

TEST_F(BoundControls, ChangesMadeByCodeShowInTheControls) {
    for (auto [value, state] : {std::pair{1, BST_CHECKED}, std::pair{2, BST_INDETERMINATE},
                                std::pair{0, BST_UNCHECKED}}) {
        check.setValue(value);
        EXPECT_EQ(send(c, BM_GETCHECK), state) << value;
    }
    list.setListIndex(1);
    list.removeAt(0);
    wchar_t item[64] = {};
    EXPECT_EQ(send(lb, LB_GETTEXT, 0, LPARAM(item)), 11); // the row's text, from the model
    EXPECT_EQ(win32::narrow(item), "D:\\K\u00f6ln.jpg");
    EXPECT_EQ(std::tuple(send(lb, LB_GETCOUNT), send(lb, LB_GETCURSEL), send(lb, LB_GETITEMHEIGHT)),
              std::tuple(2, list.listIndex(), win32::lineHeight(win32::messageFont())));
    button.setCaption("Run");
    button.setEnabled(false);
    label.setVisible(false);
    combo.setText("Hour(s)");
    slider.setValue(33);
    EXPECT_EQ(std::tuple(windowText(b), IsWindowEnabled(b), IsWindowVisible(l), windowText(cb),
                         send(cb, CB_GETCOUNT), send(s, TBM_GETRANGEMIN), send(s, TBM_GETRANGEMAX),
                         send(s, TBM_GETLINESIZE), send(s, TBM_GETPAGESIZE), send(s, TBM_GETPOS)),
              std::tuple("Run", FALSE, FALSE, "Hour(s)", 2, 1, 50, 1, 5, 33));
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
        std::tuple(1, BST_CHECKED, 2, "typed", 4))
        << "typed text runs no click";
    send(cb, CB_SETCURSEL, 1);
    notify(cb, CBN_SELCHANGE);
    send(s, TBM_SETPOS, TRUE, 7);
    send(panel.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), LPARAM(s));
    EXPECT_EQ(slider.value(), 10) << "a drag in progress moves nothing";
    send(panel.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(s));
    EXPECT_EQ(std::tuple(combo.text(), slider.value(), events), std::tuple("Minute(s)", 7, 6));
    // A typed letter selects the next entry that starts with it, round past the end.
    for (auto [typed, selected] :
         {std::pair{L'd', 1L}, std::pair{L'c', 2L}, std::pair{L'C', 0L}, std::pair{L'x', 0L}}) {
        send(lb, WM_CHAR, typed);
        EXPECT_EQ(list.listIndex(), selected) << char(typed);
        EXPECT_EQ(send(lb, LB_GETCURSEL), selected) << char(typed);
    }
}

TEST(BoundTimers, FireOnlyWhileEnabledWithAnInterval) {
    win32::TimerClock clock;
    ui::Timer timer{20, true};
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    clock.watch(timer);
    // Three ticks come soon; a stopped timer gives none, however long one waits.
    auto ticksWithin = [&](int count, int ms) {
        int until = ticks + count;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (MSG message; ticks < until && std::chrono::steady_clock::now() < end;)
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        return ticks >= until;
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

// The snow window is layered and keyed by the program; it keeps off the taskbar and is
// never activated.
TEST(SnowWindow, StaysATaskbarFreeToolWindowThatIsNeverActivated) {
    win32::Win32Platform os;
    app::App program(os);
    os.attach(program);
    program.kalo3();
    HWND snow = os.windowOf(platform::FormId::KALO3);
    LONG kept = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    EXPECT_EQ(GetWindowLongW(snow, GWL_EXSTYLE) & kept, kept);
    EXPECT_FALSE(GetWindowLongW(snow, GWL_STYLE) & WS_CAPTION);
}

} // namespace
