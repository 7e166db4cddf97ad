#pragma once
// A real top-level window bound to a form's window model: its caption and visibility
// follow the model, and its controls are bound through a control set.
#include "win32/control_set.h"
#include "win32/native_window.h"

#include <memory>
#include <optional>

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
    // The caption follows at once; the visibility once the current event is handled,
    // so a window shown and hidden again within one event never appears on screen.
    void syncWindow();
    virtual void applyVisibility();
    // The messages every form window handles alike: its pending visibility and its
    // controls' notifications and requests. The answer when the message was one of them.
    std::optional<LRESULT> commonMessage(UINT message, WPARAM wParam, LPARAM lParam);

    ui::Window& model_;
    std::unique_ptr<ControlSet> controls_;

  private:
    bool visibilityPending_ = false;
    bool frontPending_ = false; // the model asked for the window in front
};

// Top-left corner that centres a window of this size on the screen.
POINT centredOnScreen(int width, int height);
// Outer size of a window whose client area has this size.
SIZE outerSize(int clientWidth, int clientHeight, DWORD style, bool menu);

} // namespace win32
