// A decoded picture of any size and pixels on its way to the desktop: a whole picture is
// written as KALO.bmp that holds the writer's bytes for it (pinned by the core tests);
// anything else leaves the desktop alone.
#include "core/fixture.h"
#include "wallpaper/bmp_writer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

// A decoder that gives whatever picture the input makes, sized or not as it claims.
struct FuzzedDecoder : testing_support::TempFolder, fake::FakePlatform {
    FuzzedDecoder() : FakePlatform(folder) {}
    ui::PicturePtr decoded;
    ui::PicturePtr loadPicture(const std::string&, const ui::PixelPlace&) override {
        return decoded;
    }
};

ui::PicturePtr pictureFrom(FuzzedDataProvider& in) {
    auto picture = std::make_shared<ui::Picture>();
    picture->width = in.ConsumeIntegralInRange(-2, 700);
    picture->height = in.ConsumeIntegralInRange(-2, 700);
    long whole = long(picture->stride()) * std::max(picture->height, 0);
    long count = in.ConsumeBool() ? whole : in.ConsumeIntegralInRange(0L, whole + 2);
    picture->bytes.resize(std::size_t(std::min(count, 1L << 23)));
    for (std::size_t i = 0; i < picture->bytes.size(); ++i)
        picture->bytes[i] = in.remaining_bytes() ? in.ConsumeIntegral<std::uint8_t>() : i * 31 + 7;
    return picture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzedDecoder os;
    const std::string& folder = os.folder;
    os.decoded = pictureFrom(in);
    app::App program(os);
    auto& main = program.kalo2();
    os.fs.replaceAtomically(folder + "/any.jpg", "");
    main.Wallpaper.add(folder + "/any.jpg");
    main.rotationIndex = 0;
    main.ApplyWallpaper();
    const auto& picture = *os.decoded;
    bool whole = picture.whole();
    auto bmp = os.fs.read(folder + "/KALO.bmp");
    if (whole != (os.wallpaperCalls.size() == 1) || whole != bmp.has_value()) std::abort();
    if (whole && *bmp != wallpaper::encodeBmp(picture)) std::abort();
    return 0;
}
