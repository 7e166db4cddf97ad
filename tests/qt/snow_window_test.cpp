// The snow window as the window manager sees it, whatever "Snow on top" goes through.
#include "app/app.h"
#include "app/kalo3.h"
#include "qt/snow_window.h"
#include "qt_fixture.h"
#include "support/fake_platform.h"

#include <tuple>

namespace {

// The snow window over a fake program, on a screen of 15 by 12 twips a pixel.
struct SnowWindowOf {
    QApplication& qt = qt_testing::application();
    testing_support::TempFolder home;
    fake::FakePlatform os{home.folder};
    app::App program{os};
    app::Kalo3& form = program.kalo3();
    qt::SnowWindow window{form, {640, 480, 15, 12}};
    std::pair<double, double> reported() const {
        return {form.window.width(), form.window.height()};
    }
};

// A change of its flags makes Qt hide the window and, on X11, replace its native window
// at the next showing: the window it makes then knows nothing of the shape that lets the
// clicks through. So "Snow on top" is asked of the window manager, never through a flag.
TEST(SnowWindow, OneManagedWindowWhateverSnowOnTopGoesThrough) {
    SnowWindowOf snow;
    qt::SnowWindow& window = snow.window;
    window.setOnTop(false, 640, 480);
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_EQ(window.windowType(), Qt::Window)
        << "a plain window: a tool window is kept above the program's own";
    EXPECT_EQ(std::tuple(bool(flags & Qt::X11BypassWindowManagerHint),
                         bool(flags & Qt::WindowTransparentForInput),
                         bool(flags & Qt::WindowDoesNotAcceptFocus)),
              std::tuple(false, true, true))
        << "managed by the window manager, passing the clicks, never active";
    for (bool onTop : {true, false, true}) {
        window.setOnTop(onTop, 640, 480);
        EXPECT_EQ(window.windowFlags(), flags) << "on top: " << onTop;
        EXPECT_TRUE(window.isVisible()) << "on top: " << onTop;
    }
}

// Placed at the screen's corner at the size given, shown, and its size told to the form in
// twips; hidden and shown as its form says; a size it takes while hidden is told when shown.
TEST(SnowWindow, ItIsPlacedShownAndHiddenAsItsFormSays) {
    SnowWindowOf snow;
    snow.window.setOnTop(true, 320, 200);
    EXPECT_EQ(std::tuple(snow.window.isVisible(), snow.window.geometry(), snow.reported()),
              std::tuple(true, QRect(0, 0, 320, 200), std::pair(320.0 * 15, 200.0 * 12)));
    snow.form.window.setVisible(false);
    EXPECT_FALSE(snow.window.isVisible());
    snow.window.resize(100, 60);
    EXPECT_EQ(snow.reported(), std::pair(320.0 * 15, 200.0 * 12)) << "not while hidden";
    snow.form.window.setVisible(true);
    EXPECT_EQ(std::tuple(snow.window.isVisible(), snow.reported()),
              std::tuple(true, std::pair(100.0 * 15, 60.0 * 12)));
}

} // namespace
