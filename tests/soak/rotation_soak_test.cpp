// A long run on the virtual clock: a rotation over pictures that vanish and come back,
// with the snow falling. Every step applies a picture or reports a missing one, and the
// memory in use stays flat. Leaks are LeakSanitizer's to report at exit.
#include "app/kalo3.h"
#include "core/fixture.h"

#include <gtest/gtest.h>

// AddressSanitizer's count of the bytes the program has allocated and not freed.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

constexpr int STEPS = 100000, PICTURES = 5;

TEST(Soak, AHundredThousandStepsWithVanishingPicturesAndSnowStayFlat) {
    testing_support::Program p;
    p.os.metrics = {64, 48, 15, 15};
    // Picture `index` is written, or removed when it is there, so its entry comes and goes.
    auto toggle = [&p](int index) {
        std::string name = "p" + std::to_string(index) + ".bmp";
        if (std::filesystem::remove(p.path(name))) return p.path(name);
        return p.picture(name, 0xFF000000u + index, 8, 6);
    };
    std::vector<std::string> list;
    for (int i = 0; i < PICTURES; ++i)
        list.push_back(toggle(i));
    p.write("KALO DC.dat", testing_support::listBytes(list));
    const char* const values[][2] = {{"c1", "1"}, {"c2", "Second(s)"}, {"snow", "on"}, {"s1", "1"},
                                     {"s2", "5"}, {"s3", "5"},         {"s4", "3"}};
    for (auto [name, text] : values)
        p.setProgramValue(name, text);
    p.app->start();
    p.os.advance(5000);
    p.os.wallpaperCalls.clear(), p.os.wallpaperPictures.clear(), p.os.boxes.clear();
    std::size_t settled = 0;
    long applied = 0, reported = 0, frames = 0;
    p.app->kalo3().Picture1.presented = [&frames] { ++frames; };
    for (int step = 0; step < STEPS; ++step) {
        if (step % 3 == 0) toggle(step / 3 % PICTURES);
        p.os.advance(1000);
        ASSERT_EQ(p.os.wallpaperCalls.size() + p.os.boxes.size(), 1u) << "step " << step;
        applied += long(p.os.wallpaperCalls.size()), reported += long(p.os.boxes.size());
        p.os.wallpaperCalls.clear(), p.os.wallpaperPictures.clear(), p.os.boxes.clear();
        p.os.fs.inPlaceSizes.clear(); // the fake's own record, not the program's memory
        if (step == STEPS / 10) settled = __sanitizer_get_current_allocated_bytes();
    }
    std::size_t growth = __sanitizer_get_current_allocated_bytes() - settled;
    EXPECT_LT(growth, 64u * 1024) << "bytes in use grew over the last 90,000 steps";
    EXPECT_GT(std::min(applied, reported), STEPS / 10) << applied << " applied, " << reported;
    EXPECT_EQ(frames, 8L * STEPS);
}
