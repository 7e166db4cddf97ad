#pragma once
// Window timers on Qt's event loop: each watched timer model fires while it is enabled
// with an interval above 0; any change restarts its count, as on Windows.
#include "ui/controls.h"

#include <QTimer>

#include <map>
#include <memory>

namespace qt {

class TimerClock {
  public:
    ~TimerClock();
    void watch(ui::Timer& timer);
    void unwatch(ui::Timer& timer);

  private:
    static void arm(QTimer& clock, const ui::Timer& timer);
    std::map<ui::Timer*, std::unique_ptr<QTimer>> timers_;
};

} // namespace qt
