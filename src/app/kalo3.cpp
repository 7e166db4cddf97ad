#include "app/kalo3.h"

#include "app/app.h"

namespace app {

Kalo3::Kalo3(App& app) : Form(app, platform::FormId::KALO3, ""), timers_(app.os(), {&Timer1}) {
    auto screen = app.os().screen();
    Picture1.setTwipsPerPixel(screen.twipsPerPixelX, screen.twipsPerPixelY);
    window.Resize = [this] { Form_Resize(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
}

void Kalo3::Form_Load() {
    app_.os().makeLayeredColorKeyBlack(platform::FormId::KALO3);
}

// Every new size refits the picture, reloads the parameters as stored, places the
// flakes afresh and draws one frame. While the snow is switched off ("Snow on top"
// can show the window then) that frame is cleared again, so no frozen flakes stay
// over the desktop: the window shows only its invisible background.
void Kalo3::Form_Resize() {
    Picture1.setWidth(window.width());
    Picture1.setHeight(window.height());
    reloadParameters();
    PrepareSnow();
    app_.snow().InitSnow(float(window.width()), float(window.height()));
    MoveSnow();
    DrawSnow();
    if (app_.snow().falling) return;
    Picture1.Cls();
    Picture1.present();
}

void Kalo3::reloadParameters() {
    auto& snow = app_.snow();
    char separator = app_.os().codePage().decimalSeparator();
    auto& registry = app_.registry();
    snow.SnowLayers.setText(registry.readProgramValue(settings::SNOW_LAYERS), separator);
    snow.SnowDensity.setText(registry.readProgramValue(settings::SNOW_DENSITY), separator);
    snow.SnowSpeed.setText(registry.readProgramValue(settings::SNOW_SPEED), separator);
    snow.SnowSize.setText(registry.readProgramValue(settings::SNOW_SIZE), separator);
}

void Kalo3::Timer1_Timer() {
    MoveSnow();
    DrawSnow();
}

// The picture only grows here, and only when the window is larger both ways.
void Kalo3::PrepareSnow() {
    app_.snow().InitSnow(float(window.width()), float(window.height()));
    if (window.width() > Picture1.width() && window.height() > Picture1.height()) {
        Picture1.setWidth(window.width());
        Picture1.setHeight(window.height());
    }
    Picture1.fillStyle = snow::FillStyle::Solid;
}

void Kalo3::MoveSnow() {
    app_.snow().MoveSnow(Picture1);
}

void Kalo3::DrawSnow() {
    app_.snow().DrawSnow(Picture1);
    Picture1.present();
}

} // namespace app
