#include "snow/snow_state.h"

#include "settings/conversions.h"
#include "snow/snow_numbers.h"

#include <random>

namespace snow {

SnowParam& SnowParam::operator=(std::int32_t number) {
    value_ = number;
    textNumber_.reset();
    return *this;
}

// The text is read as a number once here; every later use of it gives the same
// result, so the frames need not parse it again for each flake.
void SnowParam::setText(std::string text, char decimalSeparator) {
    textNumber_ = settings::parseNumber(text, decimalSeparator);
    value_ = std::move(text);
}

double SnowParam::number() const {
    if (const auto* n = std::get_if<std::int32_t>(&value_)) return double(*n);
    if (!textNumber_) throw settings::ConversionError(std::get<std::string>(value_));
    return *textNumber_;
}

std::int16_t SnowParam::loopBound() const {
    return settings::toInt16(number());
}

// A fixed seed: every run places the flakes the same way. 24 random bits make a
// number that a single-precision value holds exactly, so it never rounds up to 1.
RandomSource defaultRandom() {
    constexpr std::uint_fast32_t SEED = 0x4B414C4F;
    return [engine = std::minstd_rand(SEED)]() mutable {
        return double((engine() - engine.min()) >> 7) / 16777216.0;
    };
}

// Layers and flakes run 0..100; any other index is the error that ends the routine.
static std::size_t tableIndex(int index) {
    if (index < 0 || index > FLAKE_INDEX_MAX) throw settings::SubscriptError();
    return std::size_t(index);
}

const Flake& SnowState::flakeAt(int layer, int flake) const {
    return Flakes[tableIndex(layer)][tableIndex(flake)];
}

Flake& SnowState::flakeAt(int layer, int flake) {
    return Flakes[tableIndex(layer)][tableIndex(flake)];
}

void SnowState::InitSnow(float windowWidth, float windowHeight) {
    try {
        placeAll(windowWidth, windowHeight);
    } catch (const settings::ProcedureError&) {
    }
}

// L is converted once for the whole pass, D again at the start of every layer.
void SnowState::placeAll(float windowWidth, float windowHeight) {
    const int layers = SnowLayers.loopBound();
    for (int i = 0; i <= layers; ++i) {
        const int flakes = SnowDensity.loopBound();
        for (int j = 0; j <= flakes; ++j)
            placeFlake(flakeAt(i, j), windowWidth, windowHeight);
    }
}

// x takes the first random number and y the next.
void SnowState::placeFlake(Flake& flake, float windowWidth, float windowHeight) {
    flake.x = floorToInt32(double(unitSingle(random())) * double(windowWidth) + 1);
    flake.y = floorToInt32(double(unitSingle(random())) * double(windowHeight) + 1);
}

} // namespace snow
