#pragma once
// Helpers for the rotation tests: prepared start-up states, restarts, and a log of
// which list entry each step of the virtual clock made the wallpaper.
#include "fixture.h"
#include "rotation/list_file.h"

#include <vector>

namespace rotation_support {

using testing_support::Program;

// The five bytes of a list file that holds only the empty-list marker.
inline const std::string MARKER_FILE = std::string("\x22\xA0\x22\r\n", 5);

// The main window loaded from a list file of `entries` with the rotation stored as
// stopped: the list is shown, Stop has run.
inline app::Kalo2& stoppedWith(Program& p, std::initializer_list<std::string> entries) {
    p.write("KALO DC.dat", testing_support::listBytes(entries));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    return p.main();
}

// Ends the program and starts it again over the same registry and files.
inline void restart(Program& p) {
    p.app.reset();
    p.app = std::make_unique<app::App>(p.os);
}

// Picture files a..n of distinct colours; returns their paths.
inline std::vector<std::string> pictures(Program& p, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(p.picture(std::string(1, char('a' + i)) + ".pic", 0xFF000000u + i));
    return paths;
}

constexpr long NOTHING_APPLIED = -1;
constexpr long APPLIED_TWICE = -2;

// Advances the clock by `ms`; the list position the desktop got in that time, or
// NOTHING_APPLIED / APPLIED_TWICE.
inline long appliedDuring(Program& p, long ms) {
    auto before = p.os.wallpaperCalls.size();
    p.os.advance(ms);
    auto calls = p.os.wallpaperCalls.size() - before;
    if (calls == 0) return NOTHING_APPLIED;
    if (calls > 1) return APPLIED_TWICE;
    return p.main().Wallpaper.listIndex();
}

// The positions applied over consecutive steps of `ms` each.
inline std::vector<long> appliedEach(Program& p, long ms, int steps) {
    std::vector<long> applied;
    for (int i = 0; i < steps; ++i)
        applied.push_back(appliedDuring(p, ms));
    return applied;
}

} // namespace rotation_support
