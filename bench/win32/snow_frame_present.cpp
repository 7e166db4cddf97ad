// One snow frame step on the real snow window at the slider maxima (5151 flakes) over
// the whole screen: every flake moved, the picture drawn, the frame shown on the layered
// window and handed to the window system, next to only clearing the picture, measured
// in the same run. Prints medians, the stages and the ratio; asserts nothing.
#include "app/app.h"
#include "app/kalo3.h"
#include "settings/registry_procs.h"
#include "win32/main_window.h"
#include "win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int FRAMES = 60;

double usSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void setProgramValue(const char* name, const char* text) {
    RegSetKeyValueA(HKEY_CURRENT_USER, settings::PROGRAM_KEY.c_str(), name, REG_SZ, text,
                    DWORD(std::strlen(text) + 1));
}

void forgetSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KALO");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings");
}

// The program in this process over a scratch folder, with the snow on at the maxima.
struct Program {
    std::string folder;
    std::unique_ptr<win32::Win32Platform> os;
    std::unique_ptr<app::App> app;

    Program() {
        folder = (std::filesystem::temp_directory_path() / "kalo-snow-bench").string();
        std::filesystem::create_directories(folder);
        forgetSettings();
        for (auto [name, text] : {std::pair{"s1", "50"}, {"s2", "100"}, {"s3", "50"}, {"s4", "10"}})
            setProgramValue(name, text);
        win32::Seams seams;
        seams.location = platform::ProgramLocation{folder, "KALO DC snow bench", folder, '\\'};
        seams.messageBox = [](const std::string&, const std::string&, int) {};
        seams.previousInstance = [] { return false; };
        seams.endProcess = [] {};
        os = std::make_unique<win32::Win32Platform>(seams);
        app = std::make_unique<app::App>(*os);
        os->attach(*app);
        app->start();
        SendMessageW(os->windowOf(platform::FormId::KALO2), WM_COMMAND,
                     WPARAM(win32::main_ids::SNOW_ON), 0);
        pump(500);
        app->kalo3().Timer1.setEnabled(false); // frames come from the benchmark only
    }
    ~Program() {
        app.reset();
        os.reset();
        forgetSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void pump(int ms) {
        auto end = Clock::now() + std::chrono::milliseconds(ms);
        do {
            os->doEvents();
            Sleep(5);
        } while (Clock::now() < end);
    }
};

struct Stages {
    std::vector<double> move, draw, present, handOver, total;
};

// One frame as the timer makes it (the form's DrawSnow is the drawing, then the
// present), then the window system's turn to show it.
void oneFrame(app::App& program, win32::Win32Platform& os, Stages& stages) {
    auto& form = program.kalo3();
    auto start = Clock::now();
    form.MoveSnow();
    stages.move.push_back(usSince(start));
    auto step = Clock::now();
    program.snow().DrawSnow(form.Picture1);
    stages.draw.push_back(usSince(step));
    step = Clock::now();
    form.Picture1.present();
    stages.present.push_back(usSince(step));
    step = Clock::now();
    os.doEvents();
    stages.handOver.push_back(usSince(step));
    stages.total.push_back(usSince(start));
}

long whitePixels(const snow::Surface& picture) {
    return long(std::count(picture.pixels().begin(), picture.pixels().end(), snow::WHITE));
}

} // namespace

int main() {
    Program program;
    auto& form = program.app->kalo3();
    HWND window = program.os->windowOf(platform::FormId::KALO3);
    if (!IsWindowVisible(window)) {
        std::printf("the snow window is not shown\n");
        return 1;
    }
    std::vector<double> clears;
    Stages stages;
    for (int k = 0; k < FRAMES; ++k) {
        auto start = Clock::now();
        form.Picture1.Cls();
        clears.push_back(usSince(start));
        oneFrame(*program.app, *program.os, stages);
    }
    double clear = median(clears), frame = median(stages.total);
    std::printf("snow frame on the real window at the slider maxima, %dx%d pixels, "
                "median of %d\n",
                form.Picture1.widthPixels(), form.Picture1.heightPixels(), FRAMES);
    std::printf("  white pixels in the last frame: %ld\n", whitePixels(form.Picture1));
    std::printf("  clear only:             %9.1f us\n", clear);
    std::printf("  whole frame step:       %9.1f us\n", frame);
    std::printf("    move                  %9.1f us\n", median(stages.move));
    std::printf("    draw                  %9.1f us\n", median(stages.draw));
    std::printf("    present               %9.1f us\n", median(stages.present));
    std::printf("    window system's turn  %9.1f us\n", median(stages.handOver));
    std::printf("  ratio frame/clear:      %9.2f (target at most 4)\n", frame / clear);

    // For comparison only: the same frames on the window without its colour key, so
    // the window system needs no new shape for each frame.
    SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    program.pump(300);
    Stages opaque;
    for (int k = 0; k < FRAMES / 3; ++k)
        oneFrame(*program.app, *program.os, opaque);
    std::printf("  without the colour key: present %9.1f us, whole frame %9.1f us\n",
                median(opaque.present), median(opaque.total));
    return 0;
}
