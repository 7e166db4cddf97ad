// The snow window as the window manager sees it, whatever "Snow on top" goes through.
#include "app/app.h"
#include "app/kalo3.h"
#include "qt/windows.h"
#include "qt_fixture.h"
#include "support/fake_platform.h"

#include <tuple>

namespace {

// A change of its flags makes Qt hide the window and, on X11, replace its native window
// at the next showing: the window it makes then knows nothing of the shape that lets the
// clicks through. So "Snow on top" is asked of the window manager, never through a flag.
TEST(SnowWindow, OneManagedWindowWhateverSnowOnTopGoesThrough) {
    qt_testing::application();
    testing_support::TempFolder home;
    fake::FakePlatform os(home.folder);
    app::App program(os);
    qt::SnowWindow window(program.kalo3(), {640, 480, 15, 15});
    window.setOnTop(false, 640, 480);
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_EQ(std::tuple(window.windowType(), bool(flags & Qt::X11BypassWindowManagerHint),
                         bool(flags & Qt::WindowTransparentForInput),
                         bool(flags & Qt::WindowDoesNotAcceptFocus)),
              std::tuple(Qt::Window, false, true, true))
        << "managed by the window manager, as a plain window: a tool window is kept above "
           "the program's own";
    for (bool onTop : {true, false, true}) {
        window.setOnTop(onTop, 640, 480);
        EXPECT_EQ(std::tuple(window.windowFlags(), window.isVisible()), std::tuple(flags, true))
            << "on top: " << onTop;
    }
}

} // namespace
