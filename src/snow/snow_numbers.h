#pragma once
// The number conversions the snow routines go through. Each throws the error that
// ends the routine using it, as the stored-text conversions do.
#include "settings/conversions.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace snow {

// A double as a single-precision number; overflow when it does not fit.
inline float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        throw settings::OverflowError();
    return float(value);
}

// The largest 32-bit integer not above `value`; overflow outside the 32-bit range.
inline std::int32_t floorToInt32(double value) {
    double floored = std::floor(value);
    if (!std::isfinite(floored) || floored < -2147483648.0 || floored > 2147483647.0)
        throw settings::OverflowError();
    return std::int32_t(floored);
}

// A random number in [0, 1) as a single-precision number that stays below 1.
inline float unitSingle(double random) {
    float r = float(std::fmin(std::fmax(random, 0.0), 1.0));
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

} // namespace snow
