#include "app/kalo2.h"

#include "app/app.h"
#include "app/kalo4.h"
#include "rotation/interval.h"
#include "settings/errors.h"

namespace app {

// Run and Stop share one place: only Run shows until a run starts.
Kalo2::Kalo2(App& app)
    : Form(app, platform::FormId::KALO2, MAIN_CAPTION),
      timers_(app.os(), {&Timer1, &Timer2, &Timer3}) {
    stope.setVisible(false);
    wireEvents();
}

void Kalo2::wireEvents() {
    run.Click = [this] { run_Click(); };
    stope.Click = [this] { stope_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Label3.Click = [this] { Label3_Click(); };
    c1.Click = [this] { c1_Click(); };
    c2.Click = [this] { c2_Click(); };
    add.Click = [this] { add_Click(); };
    del.Click = [this] { del_Click(); };
    Wallpaper.Click = [this] { Wallpaper_Click(); };
    Slider1_Layers.Change = [this] { Slider1_Layers_Change(); };
    Slider2_Density.Change = [this] { Slider2_Density_Change(); };
    Slider3_Speed.Change = [this] { Slider3_Speed_Change(); };
    Slider4_Size.Change = [this] { Slider4_Size_Change(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer3.Tick = [this] { Timer3_Timer(); };
    snow1.Click = [this] { snow1_Click(); };
    snow2.Click = [this] { snow2_Click(); };
    reset.Click = [this] { reset_Click(); };
    resetsnow.Click = [this] { resetsnow_Click(); };
    exit.Click = [this] { exit_Click(); };
    about.Click = [this] { about_Click(); };
}

// Restores the saved state step by step; the first step that fails (a stored text that
// does not convert, a list file that cannot be read) ends the sequence silently,
// keeping what the earlier steps did.
void Kalo2::Form_Load() {
    try {
        c1.setEnabled(false);
        for (const auto& unit :
             {rotation::SECONDS_TEXT, rotation::MINUTES_TEXT, rotation::HOURS_TEXT})
            c2.add(unit);
        minuteCount = 0;
        c1.setText(app_.registry().readProgramValue(settings::INTERVAL_NUMBER));
        c2.setText(app_.registry().readProgramValue(settings::INTERVAL_UNIT));
        RestoreSnowSwitch();
        LoadImageList();
        RestoreSnowOnTop();
        RestoreRunState();
        CheckEmptyListMarker();
        RestoreSliders();
    } catch (const settings::ProcedureError&) {
    }
}

bool Kalo2::Form_QueryUnload(bool byUser) {
    if (!byUser) return false;
    Hide();
    return true;
}

void Kalo2::exit_Click() {
    app_.endProgram();
}

// An about box already open comes to the front instead of a second one.
void Kalo2::about_Click() {
    app_.kalo4().ShowInFront();
}

void Kalo2::Label3_Click() {
    run_Click();
}

} // namespace app
