#pragma once
// Helpers for the snow tests: a scripted random source and pixel counts.
#include "snow/snow_state.h"
#include "snow/surface.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace snow_support {

// Hands out k * step for the k-th call (wrapping below 1) and counts the calls.
struct ScriptedRandom {
    std::shared_ptr<long> calls = std::make_shared<long>(0);
    double step = 0.001;

    snow::RandomSource source() const {
        return [calls = calls, step = step] {
            double value = double((*calls)++) * step;
            return value - double(long(value));
        };
    }
    double value(long k) const {
        double v = double(k) * step;
        return v - double(long(v));
    }
};

inline long countColour(const snow::Surface& surface, std::uint32_t colour) {
    long count = 0;
    for (auto pixel : surface.pixels())
        count += pixel == colour;
    return count;
}

inline bool allFlakesZero(const snow::FlakeTable& table) {
    for (const auto& layer : table)
        for (const auto& flake : layer)
            if (flake.x != 0 || flake.y != 0) return false;
    return true;
}

inline bool sameTable(const snow::FlakeTable& a, const snow::FlakeTable& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a[i].size(); ++j)
            if (a[i][j].x != b[i][j].x || a[i][j].y != b[i][j].y) return false;
    return true;
}

// A surface of the given size in pixels at 15 twips a pixel.
inline snow::Surface surfaceOfPixels(int width, int height) {
    snow::Surface surface;
    surface.setWidth(width * 15.0);
    surface.setHeight(height * 15.0);
    surface.fillStyle = snow::FillStyle::Solid;
    return surface;
}

} // namespace snow_support
