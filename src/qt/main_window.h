#pragma once
// KALO2: the main window, with its menu bar above the client area.
#include "qt/form_window.h"

class QMenuBar;

namespace app {
class Kalo2;
}

namespace qt {

class MainWindow : public FormWindow {
  public:
    explicit MainWindow(app::Kalo2& form);
    void setSnowOnTopHint(const std::string& text);

  private:
    QMenuBar* createMenus();

    app::Kalo2& form_;
    QWidget* body_; // the client area below the menu bar
    std::unique_ptr<ControlSet> bodyControls_;
};

} // namespace qt
