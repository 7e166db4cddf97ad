#pragma once
// The shared snow state: the four parameters, the flake table and the routines that
// place, move and draw the flakes.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace snow {

class Surface;
struct CircleAt;

// A snow parameter holds the text read from the store or a slider's integer.
class SnowParam {
  public:
    SnowParam() = default;
    SnowParam& operator=(std::string text) {
        setText(std::move(text), '.');
        return *this;
    }
    SnowParam& operator=(std::int32_t number);
    // A text whose numbers use the given decimal separator.
    void setText(std::string text, char decimalSeparator);

    std::int16_t loopBound() const; // rounded half to even; throws on a bad text or overflow
    double number() const;          // for arithmetic; throws on a bad text

  private:
    std::variant<std::string, std::int32_t> value_{std::string()};
    std::optional<double> textNumber_; // the text read once as a number, if it is one
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

// Each routine guards itself: the first error (a parameter that is not a number, an
// index above 100, an overflow) ends it quietly, keeping what it changed so far; any
// other error is a fault of the program and goes on to its caller.
struct SnowState {
    SnowParam SnowLayers;  // highest layer index L
    SnowParam SnowDensity; // highest flake index D
    SnowParam SnowSpeed;   // fall-step factor V
    SnowParam SnowSize;    // radius factor R
    FlakeTable Flakes{};
    RandomSource random = defaultRandom();
    bool falling = false; // switched on: frames follow; off: the window shows no frame

    // Places every flake at random over a window of the given size in twips.
    void InitSnow(float windowWidth, float windowHeight);
    // Moves every flake one step down; a flake at or below the picture's bottom
    // re-enters at the top.
    void MoveSnow(const Surface& picture);
    // Clears the picture and draws the layers as white discs, farthest first.
    void DrawSnow(Surface& picture) const;

  private:
    const Flake& flakeAt(int layer, int flake) const;
    Flake& flakeAt(int layer, int flake);
    void placeAll(float windowWidth, float windowHeight);
    void placeFlake(Flake& flake, float windowWidth, float windowHeight);
    void moveAll(double pictureHeight);
    void moveFlake(Flake& flake, int layer, double bottom) const;
    void drawLayers(Surface& picture, std::vector<CircleAt>& circles) const;
    CircleAt circleOf(const Flake& flake, int layer) const;
};

} // namespace snow
