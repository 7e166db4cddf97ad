#pragma once
// KALO4: the about box. The link label and its frame open the web site; OK and the
// close box unload the box. The keyboard works as in a dialog: OK is the default
// button, Esc closes, Tab reaches the link.
#include "app/kalo4.h"
#include "win32/form_window.h"

#include <functional>

namespace win32 {

class AboutWindow : public FormWindow {
  public:
    AboutWindow(app::Kalo4& form, std::function<void()> unload);
    HWND toolTips() const { return tips_; }

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls();
    void addToolTips();
    bool isLink(HWND control) const { return control == link_ || control == frame_; }

    app::Kalo4& form_;
    std::function<void()> unload_;
    HWND link_ = nullptr, frame_ = nullptr, tips_ = nullptr, ok_ = nullptr;
    HWND focus_ = nullptr; // the control that had the focus when the box went inactive
};

} // namespace win32
