// The clock behind the timer models: real window timers, re-armed on every change.
#include "windows_fixture.h"

using namespace win32_testing;

TEST(WindowsTimers, FireWhileEnabledAndStopWhenDisabledOrAtIntervalZero) {
    win32::Win32Platform os;
    ui::Timer timer{20, true};
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    os.watchTimer(timer);
    auto pump = [&](int ms) {
        for (int waited = 0; waited < ms; waited += 5) {
            os.doEvents();
            Sleep(5);
        }
    };
    pump(400);
    EXPECT_GE(ticks, 4);
    timer.setEnabled(false);
    os.doEvents();
    int atStop = ticks;
    pump(200);
    EXPECT_EQ(ticks, atStop);
    timer.setInterval(0);
    timer.setEnabled(true);
    pump(200);
    EXPECT_EQ(ticks, atStop) << "an interval of 0 never fires";
    timer.setInterval(30);
    pump(300);
    EXPECT_GT(ticks, atStop);
    os.unwatchTimer(timer);
    EXPECT_EQ(os.clock().watched(), 0u);
    int atUnwatch = ticks;
    pump(150);
    EXPECT_EQ(ticks, atUnwatch);
}

TEST(WindowsTimers, AnEventThatThrowsDoesNotEndTheLoop) {
    win32::Win32Platform os;
    ui::Timer timer{10, true};
    int ticks = 0;
    timer.Tick = [&] {
        ++ticks;
        throw std::runtime_error("failing tick");
    };
    os.watchTimer(timer);
    for (int waited = 0; waited < 200; waited += 5) {
        os.doEvents();
        Sleep(5);
    }
    EXPECT_GE(ticks, 2);
    os.unwatchTimer(timer);
}
