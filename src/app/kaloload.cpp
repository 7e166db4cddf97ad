#include "app/kaloload.h"

#include "app/app.h"

namespace app {

KaloLoad::KaloLoad(App& app)
    : Form(app, platform::FormId::KALOload, ""), timers_(app.os(), {&Timer1}) {
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void KaloLoad::Form_Load() {
    Timer1.setEnabled(true);
}

void KaloLoad::Timer1_Timer() {
    app_.endProgram();
}

} // namespace app
