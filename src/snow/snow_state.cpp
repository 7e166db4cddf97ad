#include "snow/snow_state.h"

namespace snow {
SnowParam& SnowParam::operator=(std::string text) { value_ = std::move(text); return *this; }
SnowParam& SnowParam::operator=(std::int32_t number) { value_ = number; return *this; }
std::int16_t SnowParam::loopBound() const { return 0; }
double SnowParam::number() const { return 0; }
RandomSource defaultRandom() { return [] { return 0.0; }; }
void SnowState::InitSnow(float, float) {}
} // namespace snow
