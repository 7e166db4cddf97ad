#pragma once
// The clock behind the timer models: a hidden message window with one window timer per
// watched model. A model's change re-arms its timer; WM_TIMER runs the model's Tick.
#include "ui/controls.h"
#include "win32/native_window.h"

#include <map>

namespace win32 {

class TimerClock : public NativeWindow {
  public:
    TimerClock();
    void watch(ui::Timer& timer);
    void unwatch(ui::Timer& timer);
    std::size_t watched() const { return timers_.size(); }

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void arm(UINT_PTR id, const ui::Timer& timer);
    std::map<UINT_PTR, ui::Timer*> timers_;
    UINT_PTR nextId_ = 1;
};

} // namespace win32
