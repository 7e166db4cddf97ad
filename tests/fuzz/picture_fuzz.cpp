// A decoded picture of any size and pixels on its way to the desktop: a whole picture is
// written as KALO.bmp that holds exactly its pixels; anything else leaves the desktop alone.
#include "core/fixture.h"

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

std::uint32_t little(const std::string& bytes, std::size_t at, int count = 4) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

// The file holds the picture's size and every pixel's blue, green and red, bottom-up.
bool holds(const std::string& bmp, const ui::Picture& picture) {
    std::size_t stride = (std::size_t(picture.width) * 3 + 3) / 4 * 4;
    if (bmp.size() != 54 + stride * picture.height ||
        little(bmp, 18) != std::uint32_t(picture.width) ||
        little(bmp, 22) != std::uint32_t(picture.height) || little(bmp, 2) != bmp.size())
        return false;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            std::size_t at = 54 + stride * (picture.height - 1 - y) + std::size_t(x) * 3;
            if ((little(bmp, at, 3)) != (picture.at(x, y) & 0xFFFFFF)) return false;
        }
    return true;
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
    if (whole && !holds(*bmp, picture)) std::abort();
    return 0;
}
