// The snow steps of the main window's start-up. A stored value that does not convert
// throws, which ends the start-up at that step.
#include "app/app.h"
#include "app/kalo2.h"
#include "app/snow_on_top.h"
#include "settings/conversions.h"

namespace app {

// Only the exact text "on" means on.
void Kalo2::RestoreSnowSwitch() {
    if (app_.registry().readProgramValue(settings::SNOW_SWITCH) == "on")
        snow1_Click();
    else
        snow2_Click();
}

// Check1 starts cleared, so a ticked value runs Check1_Click.
void Kalo2::RestoreSnowOnTop() {
    auto text = app_.appSettings().Get(app_.applicationName(), settings::SNOW_ON_TOP.section,
                                       settings::SNOW_ON_TOP.key, "1");
    Check1.setValue(settings::toTruth(text, app_.os().codePage().decimalSeparator()) ? 1 : 0);
}

void Kalo2::RestoreSliders() {
    char separator = app_.os().codePage().decimalSeparator();
    auto& registry = app_.registry();
    Slider1_Layers.setValue(
        settings::toInt32(registry.readProgramValue(settings::SNOW_LAYERS), separator));
    Slider2_Density.setValue(
        settings::toInt32(registry.readProgramValue(settings::SNOW_DENSITY), separator));
    Slider3_Speed.setValue(
        settings::toInt32(registry.readProgramValue(settings::SNOW_SPEED), separator));
    Slider4_Size.setValue(
        settings::toInt32(registry.readProgramValue(settings::SNOW_SIZE), separator));
}

} // namespace app
