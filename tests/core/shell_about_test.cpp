#include "app/kalo4.h"
#include "fixture.h"

using platform::FormId;
using testing_support::Program;

TEST(ShellAbout, LinkOpensTheWebSiteOncePerClick) {
    Program p;
    p.main().about_Click();
    auto& about = p.app->kalo4();
    struct Click {
        const char* what;
        ui::Button* control;
    };
    std::size_t clicks = 0;
    for (auto [what, control] : {Click{"label", &about.Label786}, Click{"frame", &about.Frame1},
                                 Click{"label again", &about.Label786}}) {
        SCOPED_TRACE(what);
        control->click();
        ++clicks;
        ASSERT_EQ(p.os.opened.size(), clicks);
        EXPECT_EQ(p.os.opened.back(), "https://kalo-dc.example/");
    }
    EXPECT_EQ(about.Link("https://elsewhere.example/"), 42) << "Link passes the shell's result on";
}

TEST(ShellAbout, OkUnloadsAndTheNextAboutStartsAfresh) {
    Program p;
    p.main().about_Click();
    ASSERT_TRUE(p.app->kalo4Loaded());
    EXPECT_TRUE(p.os.windows.at(FormId::KALO4)->visible());
    p.app->kalo4().Label2.setCaption("changed while open");
    p.app->kalo4().ok.click();
    EXPECT_FALSE(p.app->kalo4Loaded());
    EXPECT_FALSE(p.os.windows.count(FormId::KALO4));
    p.main().about_Click();
    ASSERT_TRUE(p.app->kalo4Loaded());
    auto& about = p.app->kalo4();
    EXPECT_TRUE(about.window.visible());
    EXPECT_EQ(about.Label2.caption(), "Made by the KALO DC team.");
    EXPECT_TRUE(p.os.opened.empty());
}

TEST(ShellAbout, SecondAboutWhileOpenReusesTheBox) {
    Program p;
    p.main().about_Click();
    auto* first = &p.app->kalo4();
    p.main().about_Click();
    EXPECT_EQ(&p.app->kalo4(), first);
    EXPECT_EQ(p.os.windows.at(FormId::KALO4), &first->window);
}

TEST(ShellAbout, TextsOfTheBox) {
    Program p;
    auto& about = p.app->kalo4();
    EXPECT_EQ(about.window.caption(), "KALO Desktop Wallpaper Changer [ KALO DC ]");
    EXPECT_EQ(about.Label1.caption(), "KALO DC  Version 1.0");
    EXPECT_EQ(about.Label3.caption(), "Website :");
    EXPECT_EQ(about.Label786.caption(), "https://kalo-dc.example/");
    EXPECT_EQ(about.ok.caption(), "OK");
    EXPECT_EQ(app::LINK_TIP, "Click hear to go KALO DC Web Site.");
}
