#pragma once
// KALOload: the small notice that another copy already runs.
#include "app/kaloload.h"
#include "win32/form_window.h"

namespace win32 {

class NoticeWindow : public FormWindow {
  public:
    explicit NoticeWindow(app::KaloLoad& form);

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace win32
