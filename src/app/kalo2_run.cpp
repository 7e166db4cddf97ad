#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/interval.h"
#include "settings/conversions.h"

namespace app {
namespace {

// Stores `text` under one of the program's own application settings.
void saveFlag(App& app, const settings::AppSettingName& name, const std::string& text) {
    app.appSettings().Save(app.applicationName(), name.section, name.key, text);
}

} // namespace

void Kalo2::run_Click() {
    if (Wallpaper.count() == 0) {
        app_.os().messageBox("Add Image file.", "Error", platform::MB_CRITICAL);
        return;
    }
    // An interval that would never turn the rotation is refused before anything shows
    // a run; a start tick armed by the start-up's resume goes too.
    if (!IntervalCanRun()) {
        Timer2.setEnabled(false);
        app_.os().messageBox("Enter the interval.", "Error", platform::MB_CRITICAL);
        return;
    }
    add.setEnabled(false);
    del.setEnabled(false);
    run.setVisible(false);
    stope.setVisible(true);
    auto unit = rotation::unitOf(c2.text());
    if (unit == rotation::Unit::Seconds)
        StartSecondRotation();
    else if (unit)
        StartMinuteRotation();
}

// A single entry cannot rotate: the user is told and the wallpaper settings reset.
static bool refuseSingleEntry(Kalo2& form, platform::Platform& os) {
    if (form.Wallpaper.count() != 1) return false;
    os.messageBox("Add at least two Image file.", "Error", platform::MB_CRITICAL);
    form.reset_Click();
    return true;
}

// What both starts do alike: store the run flag, take the interval from the boxes and
// lock them, show the running status and arm the start tick.
static void beginRotation(Kalo2& form, App& app) {
    saveFlag(app, settings::RUNNING, "1");
    form.c1_Click();
    form.c1.setEnabled(false);
    form.c2.setEnabled(false);
    form.Label2.setCaption("Running...");
    form.Timer2.setEnabled(true);
}

void Kalo2::StartSecondRotation() {
    if (refuseSingleEntry(*this, app_.os())) return;
    beginRotation(*this, app_);
    Timer1.setEnabled(true);
}

void Kalo2::StartMinuteRotation() {
    if (refuseSingleEntry(*this, app_.os())) return;
    run.setVisible(false);
    stope.setVisible(true);
    beginRotation(*this, app_);
    Timer3.setEnabled(true);
    saveFlag(app_, settings::MINUTE_RUNNING, "1");
}

void Kalo2::stope_Click() {
    add.setEnabled(true);
    del.setEnabled(true);
    saveFlag(app_, settings::MINUTE_RUNNING, "0");
    stope.setVisible(false);
    run.setVisible(true);
    saveFlag(app_, settings::RUNNING, "0");
    c1.setEnabled(false);
    c2.setEnabled(true);
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    Timer3.setEnabled(false);
    Label2.setCaption("Stoped.");
}

// Resumes a rotation that was running when the program last ended (the default);
// a stored flag that is no truth value throws and so ends the window's start-up.
void Kalo2::RestoreRunState() {
    auto flag = app_.appSettings().Get(app_.applicationName(), settings::RUNNING.section,
                                       settings::RUNNING.key, "1");
    if (settings::toTruth(flag, app_.os().codePage().decimalSeparator())) {
        Timer2.setEnabled(true);
        run_Click();
    } else {
        stope_Click();
    }
}

} // namespace app
