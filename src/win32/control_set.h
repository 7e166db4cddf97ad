#pragma once
// The controls of one window, each bound to its model: a change of the model made by
// code updates the control (through the model's viewChanged), and the user's action on
// the control calls the model's event. The window passes its WM_COMMAND and WM_HSCROLL
// messages here; handling them only translates them into the models' events.
#include "platform/layout.h"
#include "ui/controls.h"
#include "win32/image_view.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace win32 {

// A place in a window's client area, in pixels at 96 dots per inch.
struct Place {
    int left, top, width, height;
};

// A place of the shared layout table, in pixels at 96 dots per inch.
inline Place pixelsOf(layout::Place twips) {
    const int k = layout::TWIPS_PER_PIXEL;
    return {twips.left / k, twips.top / k, twips.width / k, twips.height / k};
}

class ControlSet {
  public:
    ControlSet(HWND parent, int firstId);

    HWND button(ui::Button& model, Place place);
    HWND label(ui::Label& model, Place place, DWORD style = SS_LEFT);
    HWND groupBox(ui::Frame& model, Place place);
    HWND checkBox(ui::CheckBox& model, Place place);
    HWND listBox(ui::ListBox& model, Place place);
    HWND comboBox(ui::ComboBox& model, Place place, int dropHeight);
    HWND slider(ui::Slider& model, Place place);
    HWND imageBox(ui::ImageBox& model, Place place);

    // True when the message came from one of these controls.
    bool command(int id, int code);
    bool scroll(HWND control, int code);
    int idOf(HWND control) const { return GetDlgCtrlID(control); }
    HWND handleOf(const ui::Control& model) const;

  private:
    HWND create(const wchar_t* className, const std::string& text, DWORD style, Place place);
    void bindCommon(ui::Control& model, HWND control, std::function<void()> refresh);

    HWND parent_;
    int nextId_;
    std::map<int, std::function<void(int)>> commands_;
    std::map<HWND, std::function<void(int)>> scrolls_;
    std::vector<std::unique_ptr<ImageView>> images_;
    std::map<const ui::Control*, HWND> handles_;
};

} // namespace win32
