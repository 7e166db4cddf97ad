#include "app/kalo4.h"
#include "fixture.h"

using testing_support::Program;

TEST(ShellMainWindow, CloseBoxHidesAndOtherReasonsLetTheCloseThrough) {
    struct Case {
        const char* what;
        bool byUser;
        bool cancelled;
        bool visibleAfter;
    };
    for (auto [what, byUser, cancelled, visibleAfter] :
         {Case{"close box", true, true, false}, Case{"log-off", false, false, true}}) {
        SCOPED_TRACE(what);
        Program p;
        p.app->start();
        p.tray().showmenu.click();
        EXPECT_EQ(p.main().Form_QueryUnload(byUser), cancelled);
        EXPECT_EQ(p.main().window.visible(), visibleAfter);
        EXPECT_FALSE(p.os.ended);
        EXPECT_TRUE(p.os.trayIcon);
    }
}

TEST(ShellMainWindow, AboutLeavesTheMainWindowShownAndUsable) {
    Program p;
    p.app->start();
    p.tray().showmenu.click();
    p.main().about.click();
    EXPECT_TRUE(p.app->kalo4().window.visible());
    EXPECT_TRUE(p.main().window.visible());
    EXPECT_TRUE(p.main().window.enabled());
    p.main().Form_QueryUnload(true);
    EXPECT_TRUE(p.app->kalo4().window.visible()) << "the about box has no owner";
}
