#pragma once
// A real top-level window bound to a form's window model: its caption and visibility
// follow the model, and its controls are bound through a control set.
#include "platform/win32/control_set.h"
#include "platform/win32/native_window.h"

#include <memory>

namespace win32 {

class FormWindow : public NativeWindow {
  public:
    explicit FormWindow(ui::Window& model) : model_(model) {}
    HWND controlHandle(const ui::Control& control) const {
        return controls_ ? controls_->handleOf(control) : nullptr;
    }
    ui::Window& model() { return model_; }

  protected:
    // Call once the window exists: from then on the model drives it.
    void bindModel();
    virtual void syncWindow();
    bool controlMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ui::Window& model_;
    std::unique_ptr<ControlSet> controls_;
};

// Top-left corner that centres a window of this size on the screen.
POINT centredOnScreen(int width, int height);
// Outer size of a window whose client area has this size.
SIZE outerSize(int clientWidth, int clientHeight, DWORD style, bool menu);

} // namespace win32
