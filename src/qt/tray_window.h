#pragma once
// KALO1: the hidden tray window with the notification-area icon; the icon's clicks reach
// the form as the tray codes of the Windows program.
#include "qt/form_window.h"

#include <QSystemTrayIcon>

namespace app {
class Kalo1;
}

namespace qt {

class TrayWindow : public FormWindow {
  public:
    TrayWindow(app::Kalo1& form, double twipsPerPixelX);
    void addIcon(const std::string& tip);
    void removeIcon();
    void popupMenu(); // returns after the menu closed and the chosen item ran
    bool iconShown() const { return icon_.isVisible(); }

  private:
    app::Kalo1& form_;
    QSystemTrayIcon icon_;
};

} // namespace qt
