// A missing wallpaper setter is told once, not at every apply (the end-to-end scripts run
// the others on each desktop's own session bus).
#include "linux/desktop_wallpaper.h"
#include "qt_fixture.h"

TEST(DesktopWallpaper, AMissingSetterIsReportedOnce) {
    testing_support::TempFolder home;
    home.write("KALO.bmp", "BM");
    std::vector<std::string> reports;
    linux::DesktopWallpaper wallpaper(
        [&](const std::string& message) { reports.push_back(message); }, linux::Desktop::Gnome,
        {home.path("missing")});
    for (int i = 0; i < 2; ++i)
        wallpaper.apply(home.path("KALO.bmp"), linux::WallpaperStyle::Stretched, nullptr);
    EXPECT_EQ(reports,
              std::vector<std::string>{"The wallpaper could not be set: gsettings was not found."});
}
