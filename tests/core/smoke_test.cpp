#include "fixture.h"

using testing_support::Program;

TEST(Startup, FirstStartInstallsTheTrayIconAndHidesTheMainWindow) {
    Program p;
    p.app->start();
    EXPECT_TRUE(p.os.trayIcon);
    EXPECT_FALSE(p.main().window.visible());
    EXPECT_FALSE(p.tray().window.visible());
}
