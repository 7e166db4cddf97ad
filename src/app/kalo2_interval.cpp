#include "app/app.h"
#include "app/kalo2.h"
#include "rotation/interval.h"

namespace app {

// The interval the two boxes give, read in the user's locale.
static std::optional<rotation::Interval> boxInterval(const Kalo2& form, App& app) {
    return rotation::readInterval(form.c2.text(), form.c1.text(),
                                  app.os().codePage().decimalSeparator());
}

void Kalo2::c2_Click() {
    FillNumbers();
}

void Kalo2::c1_Click() {
    SetInterval();
    SaveInterval();
}

void Kalo2::FillNumbers() {
    c1.setEnabled(true);
    int count = rotation::numbersFor(c2.text());
    if (count == 0) return;
    c1.clear();
    for (int n = 1; n <= count; ++n)
        c1.add(std::to_string(n));
}

// Sets the second ticker's period or the minute target from the two boxes. A text
// that is no number, or a period beyond what a timer holds, changes nothing.
void Kalo2::SetInterval() {
    auto interval = boxInterval(*this, app_);
    if (!interval) return;
    if (interval->unit == rotation::Unit::Seconds) {
        double period = rotation::periodOf(*interval);
        if (!rotation::timerHolds(period)) return;
        Timer1.setInterval(long(period));
        Timer3.setEnabled(false);
        return;
    }
    minuteTarget = rotation::minutesOf(*interval);
    minuteCount = 0; // a new target, as every start sets one, counts from zero
    Timer1.setEnabled(false);
}

// Whether the two boxes give an interval that turns the rotation, read as SetInterval
// reads them.
bool Kalo2::IntervalCanRun() const {
    auto interval = boxInterval(*this, app_);
    return interval && rotation::turnsRotation(*interval);
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
    if (!rotation::reachableMinutes(target) || double(minuteCount) < target) return;
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
