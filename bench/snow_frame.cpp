// The cost of one snow frame (every flake moved, the picture cleared and every disc
// drawn, then taken as the Windows program takes it, as pixels, or as the Linux window
// takes it, keyed into the window's buffer) at the slider maxima on a 1920 x 1080
// picture, next to the cost of only clearing that picture, measured in the same run.
#include "snow/snow_state.h"
#include "snow/surface.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int FRAMES = 400;

snow::Surface fullHdPicture() {
    snow::Surface picture;
    picture.setWidth(1920 * 15.0);
    picture.setHeight(1080 * 15.0);
    picture.fillStyle = snow::FillStyle::Solid;
    return picture;
}

// Slider maxima: 51 layers of 101 flakes, speed 50, size 10.
void setMaxima(snow::SnowState& state, bool asText) {
    if (asText) {
        state.SnowLayers = std::string("50");
        state.SnowDensity = std::string("100");
        state.SnowSpeed = std::string("50");
        state.SnowSize = std::string("10");
        return;
    }
    state.SnowLayers = 50;
    state.SnowDensity = 100;
    state.SnowSpeed = 50;
    state.SnowSize = 10;
}

template <typename Step> double microsecondsPerRun(Step step) {
    for (int k = 0; k < FRAMES / 10; ++k)
        step(); // warm-up
    auto start = Clock::now();
    for (int k = 0; k < FRAMES; ++k)
        step();
    std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / FRAMES;
}

long whitePixels(const snow::Surface& picture) {
    long count = 0;
    for (auto pixel : picture.pixels())
        count += pixel == snow::WHITE;
    return count;
}

double frameCost(snow::Surface& picture, bool asText, std::vector<std::uint32_t>* window) {
    snow::SnowState state;
    setMaxima(state, asText);
    state.InitSnow(float(picture.width()), float(picture.height()));
    double cost = microsecondsPerRun([&] {
        state.MoveSnow(picture);
        state.DrawSnow(picture);
        if (window)
            picture.copyKeyed({window->data(), 1920, 1080});
        else
            picture.pixels();
    });
    std::printf("  white pixels in the last frame (%s parameters): %ld\n",
                asText ? "stored-text" : "slider", whitePixels(picture));
    return cost;
}

} // namespace

int main() {
    auto picture = fullHdPicture();
    double clear = microsecondsPerRun([&] { picture.Cls(); });
    double frameFromSliders = frameCost(picture, false, nullptr);
    double frameFromText = frameCost(picture, true, nullptr);
    std::vector<std::uint32_t> window(1920 * 1080);
    double frameKeyed = frameCost(picture, false, &window);
    std::printf("snow frame at the slider maxima, 5151 flakes on 1920 x 1080, %d frames each\n",
                FRAMES);
    std::printf("  clear only:                         %9.1f us\n", clear);
    std::printf("  move + draw (slider parameters):    %9.1f us  ratio %.2f\n", frameFromSliders,
                frameFromSliders / clear);
    std::printf("  move + draw (stored-text parameters): %7.1f us  ratio %.2f\n", frameFromText,
                frameFromText / clear);
    std::printf("  move + draw, keyed into a window:   %9.1f us  ratio %.2f\n", frameKeyed,
                frameKeyed / clear);
    std::printf("  frame budget at 8 frames a second:  %9.1f us\n", 125000.0);
    return 0;
}
