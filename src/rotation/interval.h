#pragma once
// The rotation's interval as the two boxes give it: a unit and a number in the user's
// locale. One reading serves both setting the interval and deciding whether it turns the
// rotation, so the two never disagree about a text.
#include <optional>
#include <string>

namespace rotation {

enum class Unit { Seconds, Minutes, Hours };

inline const std::string SECONDS_TEXT = "Second(s)";
inline const std::string MINUTES_TEXT = "Minute(s)";
inline const std::string HOURS_TEXT = "Hour(s)";

struct Interval {
    Unit unit;
    double number;
};

// The unit a text names exactly; empty for any other text.
std::optional<Unit> unitOf(const std::string& text);
// How many numbers the number box offers for a unit's text; 0 for a text that is no unit.
int numbersFor(const std::string& unitText);
// The interval of the two texts; empty when the unit is no unit or the number no number.
std::optional<Interval> readInterval(const std::string& unitText, const std::string& numberText,
                                     char decimalSeparator);

// A seconds interval as the second ticker's period in milliseconds, rounded half to even.
double periodOf(const Interval& interval);
// Whether a period is one the second ticker holds (0 to its largest interval).
bool timerHolds(double period);
// A minutes or hours interval as minutes.
double minutesOf(const Interval& interval);
// Whether a minute count target is ever reached: a whole number of minutes, at least 1.
bool reachableMinutes(double minutes);
// Whether the interval turns the rotation: a positive finite number giving, for seconds,
// a period of at least 1 ms that the ticker holds, else a reachable minute target.
bool turnsRotation(const Interval& interval);

} // namespace rotation
