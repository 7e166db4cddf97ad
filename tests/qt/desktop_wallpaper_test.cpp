// The desktop's wallpaper setters run: the links they are given and a setter that is
// missing.
#include "linux/desktop_wallpaper.h"
#include "qt_fixture.h"

namespace linux {

namespace {

using enum Desktop;
using enum WallpaperStyle;

// Each apply names the other of two links to the picture, so the desktop sees a change;
// without gsettings the user is told once.
TEST(DesktopWallpaper, EachApplyMakesAnotherLinkAndAMissingSetterIsReportedOnce) {
    testing_support::TempFolder home;
    home.write("KALO.bmp", "BM");
    std::vector<std::string> reports;
    DesktopWallpaper wallpaper([&](const std::string& message) { reports.push_back(message); },
                               Gnome, {home.path("missing")});
    for (int i = 0; i < 2; ++i)
        wallpaper.apply(home.path("KALO.bmp"), Stretched, nullptr);
    EXPECT_EQ(reports,
              std::vector<std::string>{"The wallpaper could not be set: gsettings was not found."});
    for (const char* link : {".KALO-a.bmp", ".KALO-b.bmp"})
        EXPECT_TRUE(std::filesystem::is_symlink(home.path(link)) &&
                    std::filesystem::equivalent(home.path(link), home.path("KALO.bmp")))
            << link;
}

} // namespace
} // namespace linux
