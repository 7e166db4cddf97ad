#include "app/form.h"

namespace app {

TimerWatch::TimerWatch(platform::Platform& os, std::initializer_list<ui::Timer*> timers)
    : os_(os), timers_(timers) {
    for (auto* timer : timers_)
        os_.watchTimer(*timer);
}

TimerWatch::~TimerWatch() {
    for (auto* timer : timers_)
        os_.unwatchTimer(*timer);
}

} // namespace app
