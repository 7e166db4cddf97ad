// One whole wallpaper change of a 6000 x 4000 JPEG (decode, "KALO.bmp" written, wallpaper
// set) against WIC's decode of the same file alone. Prints the medians and their ratio,
// with the change's stages, so a slow stage shows itself, and the process's working set
// before the first change and after each one (its peak would only show the full-size
// decode this benchmark makes for its reference). Measures; asserts nothing.
#include "temp_folder.h"
#include "wallpaper/bmp_writer.h"
#include "wic_writer.h"
#include "win32/services.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr UINT WIDTH = 6000, HEIGHT = 4000;
constexpr int RUNS = 5;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The working set now, in MiB.
double workingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// A photograph stand-in: smooth gradients with fine texture, so the JPEG is not trivial.
wic_writer::Pixels photo() {
    wic_writer::Pixels picture{WIDTH, HEIGHT, {}};
    picture.data.resize(std::size_t(WIDTH) * HEIGHT);
    for (UINT y = 0; y < HEIGHT; ++y)
        for (UINT x = 0; x < WIDTH; ++x) {
            std::uint32_t noise = (x * 7919u + y * 104729u) % 29u;
            std::uint32_t r = (x * 255u / WIDTH + noise) & 0xFF, g = (y * 255u / HEIGHT) & 0xFF;
            std::uint32_t b = ((x + y) / 40u + noise * 3u) & 0xFF;
            picture.data[std::size_t(y) * WIDTH + x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    return picture;
}

struct Stages {
    std::vector<double> decode, write, set, total, workingSet;
};

void oneChange(const std::string& jpeg, const std::string& bitmap, Stages& stages) {
    win32::Win32Files files;
    win32::Win32CodePage cp;
    auto start = Clock::now();
    // The applier's way: decoded into the rows of the bitmap made in place, then written.
    std::unique_ptr<platform::FileInPlace> file;
    auto place = [&](int width, int height) -> std::uint8_t* {
        file = files.makeInPlace(bitmap, wallpaper::bmpFileBytes(width, height));
        if (!file) return nullptr;
        wallpaper::writeBmpHeaders(file->bytes(), width, height);
        return file->bytes() + wallpaper::BMP_HEADERS_BYTES;
    };
    ui::PicturePtr picture = win32::loadPicture(jpeg, place);
    stages.decode.push_back(msSince(start));
    auto step = Clock::now();
    if (picture && file) file->commit();
    stages.write.push_back(msSince(step));
    step = Clock::now();
    win32::setDesktopWallpaper(bitmap, cp);
    stages.set.push_back(msSince(step));
    stages.total.push_back(msSince(start));
    picture.reset();
    file.reset();
    stages.workingSet.push_back(workingSet());
}

double decodeAlone(const std::string& jpeg) {
    auto start = Clock::now();
    ui::PicturePtr picture = win32::loadPicture(jpeg);
    double ms = msSince(start);
    if (!picture) std::printf("decode failed\n");
    return ms;
}

} // namespace

int main() {
    services_test::TempFolder folder;
    std::string jpeg = folder.file("photo.jpg"), bitmap = folder.file("KALO.bmp");
    if (!wic_writer::write(win32::widen(jpeg), GUID_ContainerFormatJpeg, photo())) {
        std::printf("could not write the test JPEG\n");
        return 1;
    }
    wchar_t before[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, before, 0);

    decodeAlone(jpeg); // warm-up: COM, WIC and the file cache
    const double idle = workingSet();
    std::vector<double> decodes;
    Stages stages;
    for (int run = 0; run < RUNS; ++run) {
        decodes.push_back(decodeAlone(jpeg));
        oneChange(jpeg, bitmap, stages);
    }
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, before, SPIF_UPDATEINIFILE);

    double decode = median(decodes), change = median(stages.total);
    std::printf("wallpaper change of a %ux%u JPEG, median of %d runs\n", WIDTH, HEIGHT, RUNS);
    std::printf("  WIC decode alone:     %8.1f ms\n", decode);
    std::printf("  whole change:         %8.1f ms\n", change);
    std::printf("    decode              %8.1f ms\n", median(stages.decode));
    std::printf("    encode and write    %8.1f ms\n", median(stages.write));
    std::printf("    set wallpaper       %8.1f ms\n", median(stages.set));
    std::printf("  ratio change/decode:  %8.2f (target at most 1.30)\n", change / decode);
    std::printf("  working set: %.1f MiB before the first change; after each:", idle);
    for (double mib : stages.workingSet)
        std::printf(" %.1f", mib);
    std::printf(" MiB\n");
    return 0;
}
