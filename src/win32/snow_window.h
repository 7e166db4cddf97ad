#pragma once
// KALO3: the borderless snow window over the whole screen. It never takes a taskbar
// button or the activation, reports its size to the form in twips, and shows the
// form's drawing surface without flicker after every frame.
#include "app/kalo3.h"
#include "platform/platform.h"
#include "win32/form_window.h"

namespace win32 {

class SnowWindow : public FormWindow {
  public:
    SnowWindow(app::Kalo3& form, const platform::Platform& os);

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void applyVisibility() override;

  private:
    void reportSize();
    void present(HDC dc);
    void presentNow();

    app::Kalo3& form_;
    const platform::Platform& os_;
    SIZE reported_{0, 0};
};

} // namespace win32
