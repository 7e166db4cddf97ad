#pragma once
// KALOLOAD: the notice a second start of the program shows.
#include "qt/form_window.h"

namespace app {
class KaloLoad;
}

namespace qt {

class NoticeWindow : public FormWindow {
  public:
    explicit NoticeWindow(app::KaloLoad& form);
};

} // namespace qt
