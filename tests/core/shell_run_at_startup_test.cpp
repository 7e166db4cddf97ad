#include "fixture.h"

using testing_support::Program;

namespace {

std::optional<std::string> runValue(Program& p) {
    return p.os.reg.text(settings::RUN_KEY, "KALO DC");
}

} // namespace

TEST(ShellRunAtStartup, CheckMarkAtStartFollowsTheRunValueExactly) {
    struct Case {
        const char* what;
        std::function<std::string(const std::string& self)> stored; // nullptr: no value
        bool checked;
    };
    Case cases[] = {
        {"never used", nullptr, false},
        {"this program", [](const std::string& s) { return s; }, true},
        {"turned off", [](const std::string&) { return " "; }, false},
        {"other letter case",
         [](const std::string& s) { return s.substr(0, s.size() - 4) + ".EXE"; }, false},
        {"in quotes", [](const std::string& s) { return "\"" + s + "\""; }, true},
        {"with an argument", [](const std::string& s) { return s + " /min"; }, false},
        {"moved program", [](const std::string&) { return "C:\\Old\\KALO DC.exe"; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        if (c.stored)
            p.os.reg.putText(settings::RUN_KEY, "KALO DC", c.stored(p.folder + "/KALO DC.exe"));
        p.app->start();
        EXPECT_EQ(p.tray().starupprogram.checked(), c.checked);
    }
}

TEST(ShellRunAtStartup, ProgramPathTextIsFolderSeparatorNameAndExe) {
    Program p;
    p.os.where.executableName = "kalo dc";
    p.app->start();
    EXPECT_EQ(p.tray().programPathText(), p.folder + "/kalo dc.exe");
    p.os.where.separator = '\\';
    p.os.where.folder = "C:\\Tools";
    EXPECT_EQ(p.tray().programPathText(), "C:\\Tools\\kalo dc.exe");
}

TEST(ShellRunAtStartup, ChoosingTheItemSwitchesBetweenQuotedPathAndNoValue) {
    Program p;
    p.app->start();
    auto& item = p.tray().starupprogram;
    std::string self = '"' + p.folder + "/KALO DC.exe\"";
    struct Step {
        bool checked;
        std::optional<std::string> stored;
    };
    for (const auto& [checked, stored] :
         {Step{true, self}, Step{false, std::nullopt}, Step{true, self}}) {
        item.click();
        EXPECT_EQ(item.checked(), checked);
        EXPECT_EQ(runValue(p), stored);
    }
}

TEST(ShellRunAtStartup, TurnedOffIsUncheckedAtTheNextStart) {
    Program p;
    p.app->start();
    p.tray().starupprogram.click();
    p.tray().starupprogram.click();
    p.app = std::make_unique<app::App>(p.os);
    p.app->start();
    EXPECT_EQ(runValue(p), std::nullopt);
    EXPECT_FALSE(p.tray().starupprogram.checked());
}

TEST(ShellRunAtStartup, FailedWriteStillMovesTheCheckMark) {
    Program p;
    p.app->start();
    p.os.reg.failWrites = true;
    p.tray().starupprogram.click();
    EXPECT_TRUE(p.tray().starupprogram.checked());
    EXPECT_EQ(runValue(p), std::nullopt);
}
