#include "app/kaloload.h"
#include "fixture.h"

using platform::FormId;
using testing_support::Program;

TEST(ShellStartup, FirstStartInstallsTheTrayIconAndShowsNoWindow) {
    Program p;
    p.app->start();
    EXPECT_EQ(p.os.trayAdds, 1);
    EXPECT_EQ(p.os.trayTip, "KALO Desktop wallpaper changer [KALO DC]");
    ASSERT_TRUE(p.os.windows.count(FormId::KALO2)) << "the main window is created";
    EXPECT_FALSE(p.os.windows.at(FormId::KALO2)->visible());
    EXPECT_FALSE(p.os.windows.at(FormId::KALO1)->visible());
    EXPECT_FALSE(p.os.windows.count(FormId::KALOload));
    p.os.advance(60000);
    EXPECT_FALSE(p.os.ended);
}

TEST(ShellStartup, SecondInstanceShowsTheNoticeForFiveSecondsThenEnds) {
    Program p;
    p.os.otherInstance = true;
    p.app->start();
    auto& notice = p.app->kaloLoad();
    EXPECT_TRUE(notice.window.visible());
    EXPECT_EQ(notice.window.caption(), "");
    EXPECT_EQ(notice.Label1.caption(), "KALO DC  Version 1.0");
    EXPECT_EQ(notice.Label2.caption(), "Is Already Running !");
    EXPECT_FALSE(p.os.windows.at(FormId::KALO1)->visible());
    EXPECT_FALSE(p.os.windows.count(FormId::KALO2)) << "no main window";
    EXPECT_EQ(p.os.trayAdds, 0);
    p.os.advance(4999);
    EXPECT_FALSE(p.os.ended);
    EXPECT_FALSE(p.app->ended());
    p.os.advance(1);
    EXPECT_TRUE(p.os.ended);
    EXPECT_TRUE(p.app->ended());
}

TEST(ShellStartup, SecondInstanceStillRefreshesTheRunCheckAndWritesNothing) {
    struct Case {
        const char* what;
        bool stored;
        bool checked;
    };
    for (auto [what, stored, checked] :
         {Case{"no Run value", false, false}, Case{"Run value names this program", true, true}}) {
        SCOPED_TRACE(what);
        Program p;
        std::string self = p.folder + "/KALO DC.exe";
        if (stored) p.os.reg.putText(settings::RUN_KEY, "KALO DC", self);
        p.os.otherInstance = true;
        p.app->start();
        p.os.advance(5000);
        EXPECT_EQ(p.tray().starupprogram.checked(), checked);
        EXPECT_EQ(p.os.reg.text(settings::RUN_KEY, "KALO DC"),
                  stored ? std::optional<std::string>(self) : std::nullopt);
        EXPECT_FALSE(p.os.reg.get(settings::PROGRAM_KEY, "C2"));
        EXPECT_EQ(p.read("KALO DC.dat"), "<missing>");
        EXPECT_EQ(p.os.fs.replaceCalls, 0);
    }
}
