// The Linux clock: Qt timers that follow the timer models' changes.
#include "qt/timer_clock.h"
#include "qt_fixture.h"

#include <QTest>

namespace {

// A timer model and the ticks it has had.
struct Counted {
    ui::Timer timer;
    int ticks = 0;
    Counted(long interval, bool enabled) : timer(interval, enabled) {
        timer.Tick = [this] { ++ticks; };
    }
};

// Runs the event loop until a 1 ms timer has ticked `count` times, so that every timer
// due within that time has had its turn.
bool runFor(qt::TimerClock& clock, int count) {
    Counted reference(1, true);
    clock.watch(reference.timer);
    const bool ran = QTest::qWaitFor([&] { return reference.ticks >= count; }, 10000);
    clock.unwatch(reference.timer);
    return ran;
}

TEST(TimerClock, ATimerTicksOnlyWhileEnabledWithAnInterval) {
    qt_testing::application();
    qt::TimerClock clock;
    Counted running(2, true), disabled(2, false), zero(0, true), enabledLater(2, false);
    for (auto* counted : {&running, &disabled, &zero, &enabledLater})
        clock.watch(counted->timer);
    ASSERT_TRUE(runFor(clock, 30));
    EXPECT_EQ(std::tuple(running.ticks > 0, disabled.ticks, zero.ticks), std::tuple(true, 0, 0));
    enabledLater.timer.setEnabled(true);
    running.timer.setEnabled(false);
    const int stoppedAt = running.ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return enabledLater.ticks > 0; }, 10000));
    ASSERT_TRUE(runFor(clock, 30));
    EXPECT_EQ(running.ticks, stoppedAt) << "disabled, it stops";
}

// A tick may unwatch its own timer: it ticks no more, and nothing is freed under it. A
// timer outliving its clock can still change: the clock has let go of it.
TEST(TimerClock, ATimerLetGoByItsTickOrItsClockTicksNoMore) {
    qt_testing::application();
    Counted once(1, true), outliving(5, true);
    {
        qt::TimerClock clock;
        once.timer.Tick = [&] { ++once.ticks, clock.unwatch(once.timer); };
        clock.watch(once.timer);
        clock.watch(outliving.timer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return once.ticks > 0; }, 10000));
        ASSERT_TRUE(runFor(clock, 30));
    }
    EXPECT_EQ(std::tuple(once.ticks, bool(once.timer.changed), bool(outliving.timer.changed)),
              std::tuple(1, false, false));
    outliving.timer.setInterval(7);
    outliving.timer.setEnabled(false);
}

} // namespace
