#pragma once
// The snow overlay window: a borderless window over the screen whose black is made
// invisible by a colour key; it holds the drawing surface and the frame timer.
#include "app/form.h"
#include "snow/surface.h"

namespace app {

class Kalo3 : public Form {
  public:
    explicit Kalo3(App& app);

    snow::Surface Picture1;      // the drawing surface
    ui::Timer Timer1{125, true}; // one frame every 125 ms

    void Form_Load();
    void Form_Resize();
    void Timer1_Timer();
    void PrepareSnow();
    void MoveSnow();
    void DrawSnow();

  private:
    void reloadParameters();
    TimerWatch timers_;
};

} // namespace app
