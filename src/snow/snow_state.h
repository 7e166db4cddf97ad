#pragma once
// The shared snow state: the four parameters and the flake table.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

namespace snow {

// A snow parameter holds the text read from the store or a slider's integer.
class SnowParam {
  public:
    SnowParam() = default;
    SnowParam& operator=(std::string text);
    SnowParam& operator=(std::int32_t number);

    std::int16_t loopBound() const; // as a 16-bit loop bound; throws on a bad text
    double number() const;          // for arithmetic; throws on a bad text
    bool holdsText() const { return std::holds_alternative<std::string>(value_); }

  private:
    std::variant<std::string, std::int32_t> value_{std::string()};
};

struct Flake {
    std::int32_t x = 0; // twips
    std::int32_t y = 0; // twips
};

constexpr int FLAKE_INDEX_MAX = 100; // layers and flakes run 0..100
using FlakeTable = std::array<std::array<Flake, FLAKE_INDEX_MAX + 1>, FLAKE_INDEX_MAX + 1>;

// A uniform generator of numbers in [0, 1).
using RandomSource = std::function<double()>;
RandomSource defaultRandom(); // never seeded from the clock: every run repeats

struct SnowState {
    SnowParam SnowLayers;  // highest layer index L
    SnowParam SnowDensity; // highest flake index D
    SnowParam SnowSpeed;   // fall-step factor V
    SnowParam SnowSize;    // radius factor R
    FlakeTable Flakes{};
    RandomSource random = defaultRandom();

    // Places every flake at random over a window of the given size in twips.
    // Ends quietly at the first error, keeping what it placed.
    void InitSnow(float windowWidth, float windowHeight);
};

} // namespace snow
