// The snow window's place and visibility as its form says (how the window manager sees it
// the end-to-end scripts check).
#include "app/app.h"
#include "app/kalo3.h"
#include "qt/snow_window.h"
#include "qt_fixture.h"
#include "support/fake_platform.h"

namespace {

// Placed at the corner at the size given, its size told to the form in twips (15 by 12 a
// pixel here); a size it takes while hidden is told when shown.
TEST(SnowWindow, ItIsPlacedShownAndHiddenAsItsFormSays) {
    qt_testing::application();
    testing_support::TempFolder home;
    fake::FakePlatform os{home.folder};
    app::App program{os};
    app::Kalo3& form = program.kalo3();
    qt::SnowWindow window{form, {640, 480, 15, 12}};
    auto reported = [&] { return std::pair(form.window.width(), form.window.height()); };
    window.setOnTop(true, 320, 200);
    EXPECT_EQ(std::tuple(window.isVisible(), window.geometry(), reported()),
              std::tuple(true, QRect(0, 0, 320, 200), std::pair(320.0 * 15, 200.0 * 12)));
    form.window.setVisible(false);
    EXPECT_FALSE(window.isVisible());
    window.resize(100, 60);
    EXPECT_EQ(reported(), std::pair(320.0 * 15, 200.0 * 12)) << "not while hidden";
    form.window.setVisible(true);
    EXPECT_EQ(std::tuple(window.isVisible(), reported()),
              std::tuple(true, std::pair(100.0 * 15, 60.0 * 12)));
}

} // namespace
