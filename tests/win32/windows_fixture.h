#pragma once
// The Windows program in the test process: the real platform with its real windows
// over a fresh program folder, and seams that record the message boxes, answer the
// file dialog from a script, and keep the process alive when the program ends.
#include "app/app.h"
#include "app/kalo1.h"
#include "app/kalo2.h"
#include "app/kaloload.h"
#include "platform/win32/win32_platform.h"
#include "settings/registry_procs.h"
#include "wallpaper/bmp_writer.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

namespace win32_testing {

inline const std::string TEST_EXE_NAME = "KALO DC windows test";

// Removes every value the program may have stored, so each test starts fresh.
inline void clearStoredSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KALO");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, settings::RUN_KEY.c_str(), "KALO DC");
}

inline std::optional<std::string> storedText(const std::string& key, const std::string& name) {
    char data[2048];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

inline std::optional<std::string> programValue(const std::string& name) {
    return storedText(settings::PROGRAM_KEY, name);
}

inline std::string freshFolder() {
    static int counter = 0;
    auto dir =
        std::filesystem::temp_directory_path() /
        ("kalo-windows-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(dir);
    return dir.string();
}

inline std::string windowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct Box {
    std::string text, title;
    int style;
};

struct WindowsProgram {
    std::string folder = freshFolder();
    std::vector<Box> boxes;
    std::vector<std::string> dialogAnswers; // answered front first
    std::vector<std::string> opened;
    int ends = 0;
    bool otherInstance = false;
    std::unique_ptr<win32::Win32Platform> os;
    std::unique_ptr<app::App> app;

    WindowsProgram() { clearStoredSettings(); }
    ~WindowsProgram() {
        app.reset();
        os.reset();
        clearStoredSettings();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    win32::Seams seams() {
        win32::Seams s;
        s.location = platform::ProgramLocation{folder, TEST_EXE_NAME, folder + "\\data", '\\'};
        s.messageBox = [this](const std::string& text, const std::string& title, int style) {
            boxes.push_back({text, title, style});
        };
        s.openFile = [this](const platform::Platform::OpenFileRequest&) {
            if (dialogAnswers.empty()) return std::string();
            std::string answer = dialogAnswers.front();
            dialogAnswers.erase(dialogAnswers.begin());
            return answer;
        };
        s.shellOpen = [this](const std::string& address) {
            opened.push_back(address);
            return std::intptr_t(42);
        };
        s.previousInstance = [this] { return otherInstance; };
        s.endProcess = [this] { ++ends; };
        return s;
    }

    void start() {
        os = std::make_unique<win32::Win32Platform>(seams());
        app = std::make_unique<app::App>(*os);
        os->attach(*app);
        app->start();
        pump(50);
    }

    app::Kalo2& main() { return app->kalo2(); }
    HWND window(platform::FormId form) const { return os->windowOf(form); }
    HWND mainControl(const ui::Control& control) const {
        return os->controlOf(platform::FormId::KALO2, control);
    }

    // Lets the windows and timers work for `ms` milliseconds.
    void pump(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        do {
            os->doEvents();
            Sleep(5);
        } while (std::chrono::steady_clock::now() < end);
    }
    template <typename Condition> bool pumpUntil(Condition done, int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            os->doEvents();
            Sleep(5);
        }
        return true;
    }

    // A control's notification to its window, as the control sends it; then the
    // windows catch up with what it changed.
    void notify(HWND control, int code) {
        SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     LPARAM(control));
        os->doEvents();
    }
    void menuCommand(platform::FormId form, int id) {
        SendMessageW(window(form), WM_COMMAND, WPARAM(id), 0);
        os->doEvents();
    }
    void setProgramValue(const std::string& name, const std::string& text) {
        RegSetKeyValueA(HKEY_CURRENT_USER, settings::PROGRAM_KEY.c_str(), name.c_str(), REG_SZ,
                        text.c_str(), DWORD(text.size() + 1));
    }

    void showMain() {
        menuCommand(platform::FormId::KALO1, 101); // "Show Menu"
        pump(20);
    }

    std::string path(const std::string& name) const { return folder + "\\" + name; }
    std::string fileBytes(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        if (!in) return "<missing>";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A bitmap file of one colour that the picture services can load.
    std::string picture(const std::string& name, std::uint32_t colour, int width = 8,
                        int height = 6) {
        ui::Picture picture{width, height,
                            std::vector<std::uint32_t>(std::size_t(width * height), colour)};
        std::ofstream(path(name), std::ios::binary) << wallpaper::encodeBmp(picture);
        return path(name);
    }
};

} // namespace win32_testing
