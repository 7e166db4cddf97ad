#include "qt/timer_clock.h"

namespace qt {

TimerClock::~TimerClock() {
    for (auto& [timer, clock] : timers_)
        timer->changed = nullptr;
}

void TimerClock::watch(ui::Timer& timer) {
    auto& clock = timers_[&timer];
    clock = std::make_unique<QTimer>();
    QTimer* raw = clock.get();
    QObject::connect(raw, &QTimer::timeout, [&timer] { timer.fire(); });
    timer.changed = [raw, &timer] { arm(*raw, timer); };
    arm(*raw, timer);
}

// The Qt timer goes once control is back in the event loop: its own tick may be the
// one unwatching it.
void TimerClock::unwatch(ui::Timer& timer) {
    timer.changed = nullptr;
    auto found = timers_.find(&timer);
    if (found == timers_.end()) return;
    found->second->stop();
    found->second.release()->deleteLater();
    timers_.erase(found);
}

void TimerClock::arm(QTimer& clock, const ui::Timer& timer) {
    if (timer.runs())
        clock.start(int(timer.interval()));
    else
        clock.stop();
}

} // namespace qt
