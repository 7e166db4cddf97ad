// The snow window: layered with a black colour key, off the taskbar, never active,
// over the whole screen, and showing the frames drawn on the form's surface.
#include "windows_fixture.h"

#include "platform/win32/main_window.h"
#include "snow/kalo3.h"

using namespace win32_testing;
using platform::FormId;

namespace {

struct SnowTest : ::testing::Test {
    WindowsProgram program;
    HWND snow = nullptr;
    void SetUp() override {
        for (const char* slider : {"s1", "s2", "s3", "s4"})
            program.setProgramValue(slider, "10");
        program.start();
        program.menuCommand(FormId::KALO2, win32::main_ids::SNOW_ON);
        program.pump(50);
        snow = program.window(FormId::KALO3);
    }
};

} // namespace

TEST_F(SnowTest, IsLayeredWithBlackAsTheColourKeyAndStaysOffTheTaskbar) {
    ASSERT_TRUE(IsWindow(snow));
    LONG ex = GetWindowLongW(snow, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_FALSE(GetWindowLongW(snow, GWL_STYLE) & WS_CAPTION);
    COLORREF key = 1;
    BYTE alpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(snow, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(0, 0, 0));
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY));
    EXPECT_NE(GetForegroundWindow(), snow);
}

TEST_F(SnowTest, CoversTheScreenAndTheFormKnowsItsSizeInTwips) {
    RECT r;
    GetWindowRect(snow, &r);
    auto screen = program.os->screen();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, screen.widthPixels);
    EXPECT_EQ(r.bottom, screen.heightPixels);
    auto& form = program.app->kalo3();
    EXPECT_DOUBLE_EQ(form.window.width(), screen.widthPixels * screen.twipsPerPixelX);
    EXPECT_DOUBLE_EQ(form.window.height(), screen.heightPixels * screen.twipsPerPixelY);
}

TEST_F(SnowTest, FramesFollowTheTimerAndReachTheWindow) {
    auto& surface = program.app->kalo3().Picture1;
    int frames = 0;
    auto show = surface.presented;
    ASSERT_TRUE(show);
    surface.presented = [&] {
        ++frames;
        show();
    };
    program.pump(700);
    EXPECT_GE(frames, 3) << "eight frames a second";
    surface.presented = show;

    // A white flake of the surface is white on the window too.
    const auto& pixels = surface.pixels();
    auto white = std::find(pixels.begin(), pixels.end(), 0xFFFFFFu);
    ASSERT_NE(white, pixels.end());
    int x = int((white - pixels.begin()) % surface.widthPixels());
    int y = int((white - pixels.begin()) / surface.widthPixels());
    HDC dc = GetDC(snow);
    EXPECT_EQ(GetPixel(dc, x, y), RGB(255, 255, 255));
    ReleaseDC(snow, dc);
}

TEST_F(SnowTest, SnowOffStopsTheFramesAndHidesTheWindow) {
    program.menuCommand(FormId::KALO2, win32::main_ids::SNOW_OFF);
    EXPECT_FALSE(IsWindowVisible(snow));
    auto& surface = program.app->kalo3().Picture1;
    int frames = 0;
    surface.presented = [&] { ++frames; };
    program.pump(400);
    EXPECT_EQ(frames, 0);
}
