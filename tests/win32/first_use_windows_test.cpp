// Windows as a new user expects them: "Show Menu" brings back a minimised main window,
// the about box answers the keyboard and comes to the front when chosen again.
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

// The Windows program in the test process over a fresh folder: its real windows, with the
// shell's "open" recorded and the process kept alive when the program ends.
struct WindowsProgram {
    std::string folder = (std::filesystem::temp_directory_path() /
                          ("kalo-first-use-" + std::to_string(GetCurrentProcessId())))
                             .string();
    std::vector<std::string> opened;
    std::unique_ptr<win32::Win32Platform> os;
    std::unique_ptr<app::App> app;

    WindowsProgram() {
        clearStoredSettings();
        std::filesystem::create_directories(folder);
    }
    ~WindowsProgram() {
        app.reset();
        os.reset();
        clearStoredSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void start() {
        win32::Seams seams;
        seams.location = platform::ProgramLocation{folder, "KALO DC first use", folder, '\\'};
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
        os->doEvents();
    }
    HWND window(FormId form) const { return os->windowOf(form); }
    template <typename Condition> bool pumpUntil(Condition done, int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            os->doEvents();
            Sleep(5);
        }
        return true;
    }
    void menuCommand(FormId form, int id) {
        SendMessageW(window(form), WM_COMMAND, WPARAM(id), 0);
        os->doEvents();
    }
    void showMain() {
        menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
        pumpUntil([&] { return IsWindowVisible(window(FormId::KALO2)); }, 5000);
    }
};

constexpr int DEADLINE_MS = 5000;

struct FirstUseWindows : ::testing::Test {
    WindowsProgram program;
    void SetUp() override { program.start(); }
    HWND about() { return program.window(FormId::KALO4); }
    HWND aboutControl(const ui::Control& c) { return program.os->controlOf(FormId::KALO4, c); }
    void openAbout() { program.menuCommand(FormId::KALO2, win32::main_ids::ABOUT); }
    bool inFront(HWND window) {
        return program.pumpUntil([&] { return GetForegroundWindow() == window; }, DEADLINE_MS);
    }
    // A key pressed over the control that has the focus.
    void press(WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, LPARAM(0xC0000001));
    }
};

} // namespace

TEST_F(FirstUseWindows, ShowMenuRestoresAMinimisedMainWindowInFront) {
    program.showMain();
    HWND main = program.window(FormId::KALO2);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(program.pumpUntil([&] { return IsIconic(main); }, DEADLINE_MS));
    program.menuCommand(FormId::KALO1, win32::tray_ids::SHOW_MENU);
    EXPECT_TRUE(program.pumpUntil([&] { return !IsIconic(main); }, DEADLINE_MS));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(inFront(main));
}

TEST_F(FirstUseWindows, AboutChosenAgainComesToTheFront) {
    program.showMain();
    openAbout();
    ASSERT_TRUE(inFront(about()));
    SetForegroundWindow(program.window(FormId::KALO2));
    ASSERT_TRUE(inFront(program.window(FormId::KALO2)));
    openAbout();
    EXPECT_TRUE(inFront(about()));
}

TEST_F(FirstUseWindows, AboutAnswersTabEnterAndEsc) {
    openAbout();
    auto& form = program.app->kalo4();
    HWND ok = aboutControl(form.ok), link = aboutControl(form.Label786);
    EXPECT_TRUE(SendMessageW(ok, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
    ASSERT_TRUE(program.pumpUntil([&] { return GetFocus() == ok; }, DEADLINE_MS));
    press(VK_TAB);
    ASSERT_TRUE(program.pumpUntil([&] { return GetFocus() == link; }, DEADLINE_MS));
    press(VK_RETURN);
    EXPECT_TRUE(program.pumpUntil([&] { return program.opened.size() == 1; }, DEADLINE_MS));
    EXPECT_TRUE(program.app->kalo4Loaded()) << "Enter on the link opens the site only";
    press(VK_TAB);
    ASSERT_TRUE(program.pumpUntil([&] { return GetFocus() == ok; }, DEADLINE_MS));
    press(VK_RETURN);
    EXPECT_TRUE(program.pumpUntil([&] { return !program.app->kalo4Loaded(); }, DEADLINE_MS));
    openAbout();
    ASSERT_TRUE(program.pumpUntil([&] { return IsChild(about(), GetFocus()); }, DEADLINE_MS));
    press(VK_ESCAPE);
    EXPECT_TRUE(program.pumpUntil([&] { return !program.app->kalo4Loaded(); }, DEADLINE_MS));
    EXPECT_EQ(program.opened.size(), 1u);
}
