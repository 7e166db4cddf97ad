// The snow controls of the main window: the switch, "Snow on top", the four sliders,
// the snow reset and the snow steps of the start-up.
//
// A slider position set from code (start-up, reset) is clamped to the slider's range
// and raises the same change notification as the user's move, so the stored value
// always matches what the slider shows: after "Reset Snow" every slider stands at
// its minimum of 1, and "1" is what the four stored slider values hold.
#include "app/app.h"
#include "app/kalo2.h"
#include "app/kalo3.h"
#include "app/snow_on_top.h"

#include <string>

namespace app {
namespace {

// Places every flake afresh over the snow window's current size.
void replaceFlakes(App& app) {
    auto& window = app.kalo3().window;
    app.snow().InitSnow(float(window.width()), float(window.height()));
}

} // namespace

void Kalo2::snow1_Click() {
    app_.registry().writeProgramValue(settings::SNOW_SWITCH, "on");
    app_.snow().falling = true;
    snow1.setVisible(false);
    snow2.setVisible(true);
    auto& overlay = app_.kalo3();
    overlay.Show();
    overlay.Timer1.setEnabled(true);
}

// The window stays loaded and the flakes keep their places.
void Kalo2::snow2_Click() {
    app_.registry().writeProgramValue(settings::SNOW_SWITCH, "off");
    app_.snow().falling = false;
    snow2.setVisible(false);
    snow1.setVisible(true);
    auto& overlay = app_.kalo3();
    overlay.Timer1.setEnabled(false);
    overlay.Picture1.Cls();
    overlay.Picture1.present();
    overlay.Hide();
}

// Greyed (2) counts as cleared.
void Kalo2::Check1_Click() {
    bool ticked = Check1.value() == 1;
    setSnowWindowTopMost(app_, ticked);
    saveSnowOnTop(app_, ticked);
}

void Kalo2::Slider1_Layers_Change() {
    app_.snow().SnowLayers = std::int32_t(Slider1_Layers.value());
    replaceFlakes(app_);
    app_.registry().writeProgramValue(settings::SNOW_LAYERS,
                                      std::to_string(Slider1_Layers.value()));
}

void Kalo2::Slider2_Density_Change() {
    app_.snow().SnowDensity = std::int32_t(Slider2_Density.value());
    replaceFlakes(app_);
    app_.registry().writeProgramValue(settings::SNOW_DENSITY,
                                      std::to_string(Slider2_Density.value()));
}

void Kalo2::Slider3_Speed_Change() {
    app_.snow().SnowSpeed = std::int32_t(Slider3_Speed.value());
    app_.registry().writeProgramValue(settings::SNOW_SPEED, std::to_string(Slider3_Speed.value()));
}

void Kalo2::Slider4_Size_Change() {
    app_.snow().SnowSize = std::int32_t(Slider4_Size.value());
    app_.registry().writeProgramValue(settings::SNOW_SIZE, std::to_string(Slider4_Size.value()));
}

} // namespace app
