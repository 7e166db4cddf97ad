#pragma once
// The controls of one window, each bound to its model: a change of the model made by
// code updates the control (through the model's viewChanged), and the user's action on
// the control calls the model's event. The window passes the messages its controls send
// it here; handling them only translates them into the models' events, or answers the
// list boxes' requests from their models. Each control goes where its place in the layout
// table (in twips) puts it, scaled to the screen's dots per inch.
#include "app/layout.h"
#include "ui/controls.h"
#include "win32/image_view.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace win32 {

class ListRows;

using app::layout::Place;

class ControlSet {
  public:
    ControlSet(HWND parent, int firstId);

    HWND button(ui::Button& model, Place place);
    HWND label(ui::Label& model, Place place, DWORD style = SS_LEFT);
    HWND groupBox(ui::Frame& model, Place place);
    HWND checkBox(ui::CheckBox& model, Place place);
    HWND listBox(ui::ListBox& model, Place place);
    // `dropHeight`: the pixels its drop-down list adds below the box.
    HWND comboBox(ui::ComboBox& model, Place place, int dropHeight);
    HWND slider(ui::Slider& model, Place place);
    HWND imageBox(ui::ImageBox& model, Place place);

    // The answer to a message that came from one of these controls; none otherwise.
    std::optional<LRESULT> message(UINT message, WPARAM wParam, LPARAM lParam);
    int idOf(HWND control) const { return GetDlgCtrlID(control); }
    HWND handleOf(const ui::Control& model) const;

  private:
    HWND create(const wchar_t* className, const std::string& text, DWORD style, Place place);
    void bindCommon(ui::Control& model, HWND control, std::function<void()> refresh);
    bool command(int id, int code);
    bool scroll(HWND control, int code);
    bool drawItem(const DRAWITEMSTRUCT& row);
    bool measureItem(MEASUREITEMSTRUCT& row);
    std::optional<LRESULT> entryForCharacter(HWND control, wchar_t typed);

    HWND parent_;
    int nextId_;
    std::map<int, std::function<void(int)>> commands_;
    std::map<HWND, std::function<void(int)>> scrolls_;
    std::map<int, std::shared_ptr<ListRows>> lists_; // by control id
    std::vector<std::unique_ptr<ImageView>> images_;
    std::map<const ui::Control*, HWND> handles_;
};

} // namespace win32
