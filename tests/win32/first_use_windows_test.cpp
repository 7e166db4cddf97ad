// Windows as a new user expects them: a window chosen again comes to the front, restored
// if it was minimised, and the about box answers the keyboard.
#include "app/app.h"
#include "app/kalo4.h"
#include "win32/main_window.h"
#include "win32/tray_window.h"
#include "win32/win32_platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>

using platform::FormId;

namespace {

void clearStoredSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KALO");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings");
}

// The Windows program started in the test process over a fresh folder: its real windows,
// with the shell's "open" recorded and the process kept alive when the program ends.
struct FirstUseWindows : testing::Test {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("kalo-first-use-" + std::to_string(GetCurrentProcessId()));
    std::vector<std::string> opened;
    std::unique_ptr<win32::Win32Platform> os;
    std::unique_ptr<app::App> app;

    void SetUp() override {
        clearStoredSettings();
        std::filesystem::create_directories(folder);
        win32::Seams seams;
        seams.location =
            platform::ProgramLocation{folder.string(), "KALO DC first use", folder.string(), '\\'};
        seams.messageBox = [](const std::string&, const std::string&, int) {};
        seams.shellOpen = [this](const std::string& address) {
            opened.push_back(address);
            return std::intptr_t(42);
        };
        seams.previousInstance = [] { return false; };
        seams.endProcess = [] {};
        os = std::make_unique<win32::Win32Platform>(seams);
        app = std::make_unique<app::App>(*os);
        os->attach(*app);
        app->start();
    }
    void TearDown() override {
        app.reset();
        os.reset();
        clearStoredSettings();
        std::filesystem::remove_all(folder);
    }
    // True once `done` holds, the program's messages handled meanwhile; false after 5 s.
    template <typename Condition> bool until(Condition done) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < end) {
            os->doEvents();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return done();
    }
    void menuCommand(FormId form, int id) { SendMessageW(os->windowOf(form), WM_COMMAND, id, 0); }
    // A key pressed over the control that has the focus, then a wait for its effect.
    template <typename Condition> bool press(WPARAM key, Condition effect) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, LPARAM(0xC0000001));
        return until(effect);
    }
};

} // namespace

TEST_F(FirstUseWindows, AWindowChosenAgainComesToTheFrontRestoredIfMinimised) {
    menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    HWND main = os->windowOf(FormId::KALO2), about = os->windowOf(FormId::KALO4);
    ASSERT_TRUE(until([&] { return GetForegroundWindow() == about; }));
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(until([&] { return IsIconic(main); }));
    menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    EXPECT_TRUE(until([&] { return !IsIconic(main) && GetForegroundWindow() == main; }));
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    EXPECT_TRUE(until([&] { return GetForegroundWindow() == about; }));
}

TEST_F(FirstUseWindows, AboutAnswersTabEnterAndEsc) {
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    HWND ok = os->controlOf(FormId::KALO4, app->kalo4().ok);
    HWND link = os->controlOf(FormId::KALO4, app->kalo4().Label786);
    EXPECT_TRUE(SendMessageW(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    ASSERT_TRUE(until([&] { return GetFocus() == ok; }));
    ASSERT_TRUE(press(VK_TAB, [&] { return GetFocus() == link; }));
    EXPECT_TRUE(press(VK_RETURN, [&] { return opened.size() == 1; }));
    EXPECT_TRUE(app->kalo4Loaded()) << "Enter on the link opens the site only";
    ASSERT_TRUE(press(VK_TAB, [&] { return GetFocus() == ok; }));
    EXPECT_TRUE(press(VK_RETURN, [&] { return !app->kalo4Loaded(); }));
    menuCommand(FormId::KALO2, win32::main_ids::ABOUT);
    ASSERT_TRUE(until([&] { return IsChild(os->windowOf(FormId::KALO4), GetFocus()); }));
    EXPECT_TRUE(press(VK_ESCAPE, [&] { return !app->kalo4Loaded(); }));
    EXPECT_EQ(opened.size(), 1u);
}
