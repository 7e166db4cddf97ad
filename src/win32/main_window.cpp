#include "win32/main_window.h"

#include "win32/fonts.h"
#include "win32/program_icon.h"

namespace win32 {

namespace {

constexpr DWORD MAIN_STYLE =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
constexpr const auto& L = layout::MAIN;
constexpr int CLIENT_WIDTH = L.client.width / layout::TWIPS_PER_PIXEL;
constexpr int CLIENT_HEIGHT = L.client.height / layout::TWIPS_PER_PIXEL;

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
    c.groupBox(form_.F2, pixelsOf(L.F2));
    c.groupBox(form_.f1, pixelsOf(L.f1));
    c.listBox(form_.Wallpaper, pixelsOf(L.Wallpaper));
    c.comboBox(form_.c2, pixelsOf(L.c2), 100);
    c.comboBox(form_.c1, pixelsOf(L.c1), 200);
    c.button(form_.add, pixelsOf(L.add));
    c.button(form_.del, pixelsOf(L.del));
}

// The preview, the status line and Run and Stop, which share one place.
void MainWindow::createStatus() {
    auto& c = *controls_;
    c.imageBox(form_.im, pixelsOf(L.im));
    c.groupBox(form_.f3, pixelsOf(L.f3));
    c.groupBox(form_.f4, pixelsOf(L.f4));
    c.label(form_.Label1, pixelsOf(L.Label1));
    c.label(form_.Label2, pixelsOf(L.Label2));
    c.button(form_.run, pixelsOf(L.run));
    c.button(form_.stope, pixelsOf(L.run));
}

void MainWindow::createSnowGroup() {
    auto& c = *controls_;
    c.groupBox(form_.f5, pixelsOf(L.f5));
    c.checkBox(form_.Check1, pixelsOf(L.Check1));
    c.label(form_.Label3, pixelsOf(L.Label3));
    c.slider(form_.Slider1_Layers, pixelsOf(L.Slider1));
    c.label(form_.Label4, pixelsOf(L.Label4));
    c.slider(form_.Slider2_Density, pixelsOf(L.Slider2));
    c.label(form_.Label5, pixelsOf(L.Label5));
    c.slider(form_.Slider3_Speed, pixelsOf(L.Slider3));
    c.label(form_.Label6, pixelsOf(L.Label6));
    c.slider(form_.Slider4_Size, pixelsOf(L.Slider4));
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
