#pragma once
// KALO4: the about box; its link opens the web site.
#include "qt/form_window.h"

#include <functional>

namespace app {
class Kalo4;
}

namespace qt {

class AboutWindow : public FormWindow {
  public:
    AboutWindow(app::Kalo4& form, std::function<void()> unload);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    app::Kalo4& form_;
    QWidget* link_;
};

} // namespace qt
