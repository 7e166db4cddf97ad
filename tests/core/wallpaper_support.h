#pragma once
// What the wallpaper tests share: picture colours and a main window holding entries.
#include "fixture.h"
#include "wallpaper_bmp_reader.h"

namespace wallpaper_support {

constexpr std::uint32_t RED = 0xFFCC2211;
constexpr std::uint32_t BLUE = 0xFF1122CC;
constexpr std::uint32_t GREEN = 0xFF22CC11;

// The main window loaded with the given entries, the rotation stopped.
inline app::Kalo2& withEntries(testing_support::Program& p,
                               std::initializer_list<std::string> entries) {
    auto& w = p.main();
    w.Wallpaper.clear();
    for (const auto& entry : entries)
        w.Wallpaper.add(entry);
    return w;
}

inline void applyAt(app::Kalo2& w, long index) {
    w.rotationIndex = index;
    w.ApplyWallpaper();
}

// The top-left pixel of the KALO.bmp beside the program; 0 when there is none.
inline std::uint32_t bitmapCorner(testing_support::Program& p) {
    auto picture = testing_support::readBmp(p.read("KALO.bmp"));
    return picture ? picture->at(0, 0) : 0;
}

} // namespace wallpaper_support
