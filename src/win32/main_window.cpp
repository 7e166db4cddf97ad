#include "win32/main_window.h"

#include "app/main_window_controls.h"
#include "win32/fonts.h"
#include "win32/program_icon.h"

namespace win32 {

namespace {

constexpr DWORD MAIN_STYLE =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS;
constexpr const auto& L = app::layout::MAIN;
constexpr auto CLIENT = app::layout::inPixels(L.client);

} // namespace

MainWindow::MainWindow(app::Kalo2& form) : FormWindow(form.window), form_(form) {
    SIZE outer = outerSize(scaled(CLIENT.width), scaled(CLIENT.height), MAIN_STYLE, true);
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

// The shared placement; the drop-down list of the number box is taller than the unit
// box's, as it holds up to 59 entries.
void MainWindow::createControls() {
    struct Builder {
        ControlSet& c;
        const app::Kalo2& form;
        void groupBox(ui::Frame& m, Place p) { c.groupBox(m, p); }
        void listBox(ui::ListBox& m, Place p) { c.listBox(m, p); }
        void comboBox(ui::ComboBox& m, Place p) { c.comboBox(m, p, &m == &form.c1 ? 200 : 100); }
        void button(ui::Button& m, Place p) { c.button(m, p); }
        void imageBox(ui::ImageBox& m, Place p) { c.imageBox(m, p); }
        void label(ui::Label& m, Place p) { c.label(m, p); }
        void checkBox(ui::CheckBox& m, Place p) { c.checkBox(m, p); }
        void slider(ui::Slider& m, Place p) { c.slider(m, p); }
    } builder{*controls_, form_};
    app::placeMainWindowControls(form_, builder);
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
    if (auto answer = commonMessage(message, wParam, lParam)) return *answer;
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
