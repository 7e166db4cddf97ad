// "Reset Snow": zeroed slider values, the snow off, "Snow on top" cleared and the
// snow window back among the ordinary windows.
#include "app/app.h"
#include "app/kalo2.h"
#include "app/snow_on_top.h"
#include "settings/conversions.h"

namespace app {
namespace {

// The sliders are set from the values just stored; one that does not read back as a
// number (a failed write) leaves its slider as it was instead of ending the reset.
void setSliderFromStore(App& app, ui::Slider& slider, const std::string& name) {
    auto text = app.registry().readProgramValue(name);
    auto number = settings::parseNumber(text, app.os().codePage().decimalSeparator());
    if (!number) return;
    try {
        slider.setValue(settings::toInt32(*number));
    } catch (const settings::OverflowError&) {
    }
}

} // namespace

void Kalo2::resetsnow_Click() {
    app_.registry().ZeroSnowSettings();
    snow2_Click();
    setSliderFromStore(app_, Slider1_Layers, settings::SNOW_LAYERS);
    setSliderFromStore(app_, Slider2_Density, settings::SNOW_DENSITY);
    setSliderFromStore(app_, Slider3_Speed, settings::SNOW_SPEED);
    setSliderFromStore(app_, Slider4_Size, settings::SNOW_SIZE);
    Check1.setValue(0);
    setSnowWindowTopMost(app_, false);
    saveSnowOnTop(app_, false);
}

} // namespace app
