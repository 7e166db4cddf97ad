// Ending the program: the tray icon goes first, so no dead icon stays behind.
#include "app/kalo2.h"
#include "fixture.h"

namespace {

// Records the order of the two last acts of a running program.
struct OrderedPlatform : fake::FakePlatform {
    using fake::FakePlatform::FakePlatform;
    std::vector<std::string> log;
    void removeTrayIcon() override {
        log.push_back("remove icon");
        fake::FakePlatform::removeTrayIcon();
    }
    void endProcess() override {
        log.push_back("end");
        fake::FakePlatform::endProcess();
    }
};

struct EndingProgram {
    std::string folder = testing_support::freshFolder();
    OrderedPlatform os{folder};
    std::unique_ptr<app::App> app = std::make_unique<app::App>(os);
    ~EndingProgram() {
        app.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

} // namespace

TEST(ShellExit, ExitRemovesTheTrayIconBeforeTheProcessEnds) {
    struct Case {
        const char* where;
        std::function<void(app::App&)> choose;
    };
    Case cases[] = {
        {"tray menu", [](app::App& a) { a.kalo1().exit.click(); }},
        {"main window menu", [](app::App& a) { a.kalo2().exit.click(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        EndingProgram p;
        p.app->start();
        ASSERT_TRUE(p.os.trayIcon);
        c.choose(*p.app);
        EXPECT_FALSE(p.os.trayIcon);
        EXPECT_EQ(p.os.log, (std::vector<std::string>{"remove icon", "end"}));
        EXPECT_TRUE(p.app->ended());
    }
}

TEST(ShellExit, SecondInstanceEndsWithoutTouchingTheTray) {
    EndingProgram p;
    p.os.otherInstance = true;
    p.app->start();
    p.os.advance(5000);
    EXPECT_EQ(p.os.log, (std::vector<std::string>{"end"}));
    EXPECT_EQ(p.os.trayAdds, 0);
}
