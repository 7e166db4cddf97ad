#include "win32/timer_clock.h"

namespace win32 {

TimerClock::TimerClock() {
    create({L"KALO DC clock", "", 0, 0, {0, 0, 0, 0}, HWND_MESSAGE});
}

void TimerClock::watch(ui::Timer& timer) {
    UINT_PTR id = nextId_++;
    timers_[id] = &timer;
    timer.changed = [this, id, &timer] { arm(id, timer); };
    arm(id, timer);
}

void TimerClock::unwatch(ui::Timer& timer) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second != &timer) continue;
        KillTimer(hwnd(), it->first);
        timer.changed = nullptr;
        timers_.erase(it);
        return;
    }
}

// Setting a running timer again restarts its count, as enabling a timer does.
void TimerClock::arm(UINT_PTR id, const ui::Timer& timer) {
    if (timer.runs())
        SetTimer(hwnd(), id, UINT(timer.interval()), nullptr);
    else
        KillTimer(hwnd(), id);
}

LRESULT TimerClock::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return defaultHandling(message, wParam, lParam);
    auto found = timers_.find(wParam);
    if (found != timers_.end()) found->second->fire();
    return 0;
}

} // namespace win32
