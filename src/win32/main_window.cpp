#include "win32/main_window.h"

#include "win32/fonts.h"
#include "win32/program_icon.h"

namespace win32 {

namespace {

constexpr DWORD MAIN_STYLE =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
constexpr int CLIENT_WIDTH = 568, CLIENT_HEIGHT = 432;

} // namespace

MainWindow::MainWindow(app::Kalo2& form) : FormWindow(form.window), form_(form) {
    SIZE outer = outerSize(scaled(CLIENT_WIDTH), scaled(CLIENT_HEIGHT), MAIN_STYLE, true);
    POINT at = centredOnScreen(outer.cx, outer.cy);
    create({L"KALO DC main",
            form.window.caption(),
            MAIN_STYLE,
            0,
            {at.x, at.y, outer.cx, outer.cy},
            nullptr,
            programIcon(false)});
    controls_ = std::make_unique<ControlSet>(hwnd(), 1000);
    createControls();
    menu_ = std::make_unique<MenuBarBinding>(hwnd(), menuTree());
    bindModel();
}

void MainWindow::createControls() {
    createWallpaperGroup();
    createStatus();
    createSnowGroup();
}

void MainWindow::createWallpaperGroup() {
    auto& c = *controls_;
    c.groupBox(form_.F2, {8, 6, 300, 262});
    c.groupBox(form_.f1, {18, 196, 280, 62});
    c.listBox(form_.Wallpaper, {18, 26, 280, 132});
    c.comboBox(form_.c2, {18, 166, 136, 24}, 100);
    c.comboBox(form_.c1, {162, 166, 136, 24}, 200);
    c.button(form_.add, {30, 218, 120, 28});
    c.button(form_.del, {166, 218, 120, 28});
}

// The preview, the status line and Run and Stop, which share one place.
void MainWindow::createStatus() {
    auto& c = *controls_;
    c.imageBox(form_.im, {318, 12, 242, 168});
    c.groupBox(form_.f3, {318, 184, 80, 42});
    c.groupBox(form_.f4, {404, 184, 156, 42});
    c.label(form_.Label1, {326, 202, 66, 18});
    c.label(form_.Label2, {412, 202, 140, 18});
    c.button(form_.run, {318, 236, 242, 30});
    c.button(form_.stope, {318, 236, 242, 30});
}

void MainWindow::createSnowGroup() {
    auto& c = *controls_;
    c.groupBox(form_.f5, {8, 274, 552, 150});
    c.checkBox(form_.Check1, {20, 294, 200, 20});
    c.label(form_.Label3, {20, 330, 60, 18});
    c.slider(form_.Slider1_Layers, {84, 322, 190, 32});
    c.label(form_.Label4, {292, 330, 60, 18});
    c.slider(form_.Slider2_Density, {356, 322, 196, 32});
    c.label(form_.Label5, {20, 376, 60, 18});
    c.slider(form_.Slider3_Speed, {84, 368, 190, 32});
    c.label(form_.Label6, {292, 376, 60, 18});
    c.slider(form_.Slider4_Size, {356, 368, 196, 32});
}

std::vector<MenuNode> MainWindow::menuTree() {
    using namespace main_ids;
    return {{&form_.KALO,
             0,
             {{&form_.snow1, SNOW_ON, {}},
              {&form_.snow2, SNOW_OFF, {}},
              {&form_.reset, RESET, {}},
              {&form_.resetsnow, RESET_SNOW, {}},
              {&form_.exit, EXIT, {}}}},
            {&form_.Help, 0, {{&form_.about, ABOUT, {}}}}};
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (commonMessage(message, wParam, lParam)) return 0;
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0) menu_->command(LOWORD(wParam));
        return 0;
    case WM_CLOSE: // the user's close: the form decides, and hides itself
        form_.Form_QueryUnload(true);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace win32
