#include "rotation/interval.h"

#include "settings/conversions.h"
#include "ui/controls.h"

#include <cmath>

namespace rotation {

std::optional<Unit> unitOf(const std::string& text) {
    if (text == SECONDS_TEXT) return Unit::Seconds;
    if (text == MINUTES_TEXT) return Unit::Minutes;
    if (text == HOURS_TEXT) return Unit::Hours;
    return std::nullopt;
}

int numbersFor(const std::string& unitText) {
    auto unit = unitOf(unitText);
    if (!unit) return 0;
    return *unit == Unit::Hours ? 7 : 59;
}

std::optional<Interval> readInterval(const std::string& unitText, const std::string& numberText,
                                     char decimalSeparator) {
    auto unit = unitOf(unitText);
    if (!unit) return std::nullopt;
    auto number = settings::parseNumber(numberText, decimalSeparator);
    if (!number) return std::nullopt;
    return Interval{*unit, *number};
}

double periodOf(const Interval& interval) {
    return settings::roundHalfEven(interval.number * 1000);
}

bool timerHolds(double period) {
    return period >= 0 && period <= double(ui::Timer::maxInterval);
}

double minutesOf(const Interval& interval) {
    return interval.unit == Unit::Hours ? interval.number * 60 : interval.number;
}

bool reachableMinutes(double minutes) {
    return minutes >= 1 && minutes == std::floor(minutes);
}

bool turnsRotation(const Interval& interval) {
    if (!std::isfinite(interval.number) || interval.number <= 0) return false;
    if (interval.unit != Unit::Seconds) return reachableMinutes(minutesOf(interval));
    double period = periodOf(interval);
    return period >= 1 && timerHolds(period);
}

} // namespace rotation
