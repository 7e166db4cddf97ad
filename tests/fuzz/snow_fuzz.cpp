// The snow on any stored settings and screen: the start-up restores what converts, the
// frames run, and the sliders move, all without a fault; the window fits the screen.
#include "app/kalo3.h"
#include "core/fixture.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

// Stored values are code page bytes, whatever they hold.
void storeSettings(fake::FakePlatform& os, FuzzedDataProvider& in) {
    const std::string checkKey = settings::APP_SETTINGS_KEY + "KALO DC\\check1s";
    for (const char* name : {"snow", "s1", "s2", "s3", "s4", "check1t"})
        if (in.ConsumeBool())
            os.reg.put(name[0] == 'c' ? checkKey : settings::PROGRAM_KEY, name,
                       {platform::REG_SZ_T, in.ConsumeRandomLengthString(24)});
}

void moveSliders(app::Kalo2& main, FuzzedDataProvider& in) {
    ui::Slider* sliders[] = {&main.Slider1_Layers, &main.Slider2_Density, &main.Slider3_Speed,
                             &main.Slider4_Size};
    while (in.remaining_bytes() > 0) {
        auto* slider = sliders[in.ConsumeIntegralInRange(0, 3)];
        slider->move(in.ConsumeIntegralInRange(-5, 105));
        if (in.ConsumeBool()) (in.ConsumeBool() ? main.snow1 : main.snow2).click();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    testing_support::Program p;
    auto& os = p.os;
    os.metrics = {in.ConsumeIntegralInRange(1, 480), in.ConsumeIntegralInRange(1, 360),
                  double(in.ConsumeIntegralInRange(6, 24)),
                  double(in.ConsumeIntegralInRange(6, 24))};
    storeSettings(os, in);
    p.app->start();
    os.advance(in.ConsumeIntegralInRange(0, 1000));
    moveSliders(p.main(), in);
    os.advance(250);
    auto& picture = p.app->kalo3().Picture1;
    if (p.app->kalo3().window.visible() && (picture.widthPixels() != os.metrics.widthPixels ||
                                            picture.heightPixels() != os.metrics.heightPixels))
        std::abort();
    return 0;
}
