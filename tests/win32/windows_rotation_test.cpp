// The whole chain under the real windows: the user adds two pictures, picks one second
// and presses Run; the bitmap beside the program becomes the wallpaper and changes to
// the next picture at the interval.
#include "windows_fixture.h"

using namespace win32_testing;
using platform::FormId;

namespace {

// The colour of the bitmap file's first pixel, 0xRRGGBB.
std::uint32_t firstPixel(const std::string& bytes) {
    if (bytes.size() < 58) return 0xFFFFFFFFu;
    std::size_t offset = std::uint8_t(bytes[10]) | std::uint8_t(bytes[11]) << 8;
    if (offset + 3 > bytes.size()) return 0xFFFFFFFFu;
    return std::uint32_t(std::uint8_t(bytes[offset + 2])) << 16 |
           std::uint8_t(bytes[offset + 1]) << 8 | std::uint8_t(bytes[offset]);
}

std::string desktopWallpaper() {
    char path[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0);
    return path;
}

} // namespace

TEST(WindowsRotation, RunMakesEachPictureTheWallpaperInTurn) {
    WindowsProgram program;
    program.start();
    program.showMain();
    auto& form = program.main();
    program.dialogAnswers = {program.picture("red.bmp", 0xFF0000),
                             program.picture("blue.bmp", 0x0000FF)};
    for (int i = 0; i < 2; ++i)
        SendMessageW(program.mainControl(form.add), BM_CLICK, 0, 0);
    HWND unit = program.mainControl(form.c2), number = program.mainControl(form.c1);
    SendMessageW(unit, CB_SETCURSEL, 0, 0); // Second(s)
    program.notify(unit, CBN_SELCHANGE);
    SendMessageW(number, CB_SETCURSEL, 0, 0); // 1
    program.notify(number, CBN_SELCHANGE);
    SendMessageW(program.mainControl(form.run), BM_CLICK, 0, 0);

    std::string bitmap = program.path("KALO.bmp");
    ASSERT_TRUE(program.pumpUntil(
        [&] { return firstPixel(program.fileBytes("KALO.bmp")) == 0xFF0000u; }, 1000));
    EXPECT_EQ(desktopWallpaper(), bitmap);
    EXPECT_EQ(windowText(program.mainControl(form.Label2)), "Running...");
    EXPECT_TRUE(program.pumpUntil(
        [&] { return firstPixel(program.fileBytes("KALO.bmp")) == 0x0000FFu; }, 2500));
    EXPECT_TRUE(IsWindowVisible(program.mainControl(form.stope)));
    EXPECT_FALSE(IsWindowVisible(program.mainControl(form.run)));
}
