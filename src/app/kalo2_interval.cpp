#include "app/app.h"
#include "app/kalo2.h"
#include "settings/conversions.h"

#include <cmath>

namespace app {
namespace {

const std::string SECONDS = "Second(s)";
const std::string MINUTES = "Minute(s)";
const std::string HOURS = "Hour(s)";

// How many numbers the number box offers for a unit; 0 for a text that is no unit.
int numbersFor(const std::string& unit) {
    if (unit == SECONDS || unit == MINUTES) return 59;
    if (unit == HOURS) return 7;
    return 0;
}

} // namespace

void Kalo2::c2_Click() {
    FillNumbers();
}

void Kalo2::c1_Click() {
    SetInterval();
    SaveInterval();
}

void Kalo2::FillNumbers() {
    c1.setEnabled(true);
    int count = numbersFor(c2.text());
    if (count == 0) return;
    c1.clear();
    for (int n = 1; n <= count; ++n)
        c1.add(std::to_string(n));
}

// Sets the second ticker's period or the minute target from the two boxes. A text
// that is no number, or a period beyond what a timer holds, changes nothing.
void Kalo2::SetInterval() {
    const std::string& unit = c2.text();
    if (unit != SECONDS && unit != MINUTES && unit != HOURS) return;
    auto number = settings::parseNumber(c1.text(), app_.os().codePage().decimalSeparator());
    if (!number) return;
    if (unit == SECONDS) {
        double period = settings::roundHalfEven(*number * 1000);
        if (period < 0 || period > double(ui::Timer::maxInterval)) return;
        Timer1.setInterval(long(period));
        Timer3.setEnabled(false);
        return;
    }
    minuteTarget = unit == MINUTES ? *number : *number * 60;
    minuteCount = 0; // a new target, as every start sets one, counts from zero
    Timer1.setEnabled(false);
}

// Whether the two boxes give an interval that turns the rotation: a unit, and a
// positive number that SetInterval takes (for seconds, a period of at least 1 ms that
// the second ticker holds; for minutes and hours, a whole number of minutes).
bool Kalo2::IntervalCanRun() const {
    const std::string& unit = c2.text();
    if (numbersFor(unit) == 0) return false;
    auto number = settings::parseNumber(c1.text(), app_.os().codePage().decimalSeparator());
    if (!number || !std::isfinite(*number) || *number <= 0) return false;
    if (unit != SECONDS) {
        double minutes = unit == MINUTES ? *number : *number * 60;
        return minutes >= 1 && minutes == std::floor(minutes);
    }
    double period = settings::roundHalfEven(*number * 1000);
    return period >= 1 && period <= double(ui::Timer::maxInterval);
}

// Stores both texts as they stand, also when SetInterval refused them.
void Kalo2::SaveInterval() {
    app_.registry().writeProgramValue(settings::INTERVAL_NUMBER, c1.text());
    app_.registry().writeProgramValue(settings::INTERVAL_UNIT, c2.text());
}

void Kalo2::Timer1_Timer() {
    Advance();
}

// The start tick: applies the first entry once there is one.
void Kalo2::Timer2_Timer() {
    if (Wallpaper.count() < 1) return;
    rotationIndex = 0;
    ApplyWallpaper();
    Timer2.setEnabled(false);
}

// Counts minutes; once the count is at or past the target the rotation moves on, so a
// count that ran past it before a start cannot stall the rotation. No target, or one
// that is no whole number of minutes, is never reached.
void Kalo2::Timer3_Timer() {
    minuteCount += 1;
    double target = minuteTarget.value_or(0);
    if (target < 1 || target != std::floor(target) || double(minuteCount) < target) return;
    Advance();
    minuteCount = 0;
}

// Applies the entry at rotationIndex, wrapping to the first after the last, and
// moves the index on. Ticks handled while a message box of an apply is open advance
// the index too, so it can pass the count: it wraps then as well, or the rotation
// would stop for good.
void Kalo2::Advance() {
    entryCount = Wallpaper.count();
    if (rotationIndex.value_or(0) >= entryCount) {
        rotationIndex = 0;
        ApplyWallpaper();
    } else if (rotationIndex.value_or(0) < entryCount) {
        ApplyWallpaper();
    }
    rotationIndex = rotationIndex.value_or(0) + 1;
}

} // namespace app
