#include "qt/tray_window.h"
#include "app/kalo1.h"
#include "linux/services.h"
#include "qt/program_icon.h"

#include <QCursor>
#include <QMenu>

namespace qt {

namespace {

// The mouse message the Windows tray sends for each kind of click on the icon.
int trayCode(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Context:
        return platform::TRAY_RIGHT_UP;
    case QSystemTrayIcon::DoubleClick:
        return platform::TRAY_LEFT_DOUBLE_CLICK;
    case QSystemTrayIcon::MiddleClick:
        return platform::TRAY_MIDDLE_UP;
    default:
        return platform::TRAY_LEFT_UP;
    }
}

} // namespace

TrayWindow::TrayWindow(app::Kalo1& form, double twipsPerPixelX)
    : FormWindow(form.window, Qt::Tool), form_(form) {
    icon_.setIcon(programIcon());
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this, twipsPerPixelX](auto reason) {
        form_.Form_MouseMove(trayCode(reason) * twipsPerPixelX);
    });
    closeRequested = [] {}; // only Exit ends the program
    bindModel();
}

void TrayWindow::addIcon(const std::string& tip) {
    icon_.setToolTip(linux::qs(tip));
    icon_.show();
}

void TrayWindow::removeIcon() {
    icon_.hide();
}

void TrayWindow::popupMenu() {
    QMenu menu;
    std::map<QAction*, ui::MenuItem*> items;
    items[boundAction(menu, form_.showmenu, false)] = &form_.showmenu;
    QMenu* styles = menu.addMenu(linux::qs(form_.kalowallpapersstyle.caption()));
    for (auto& style : form_.kalomenu)
        items[boundAction(*styles, style, false)] = &style;
    items[boundAction(menu, form_.starupprogram, false)] = &form_.starupprogram;
    items[boundAction(menu, form_.exit, false)] = &form_.exit;
    QAction* chosen = menu.exec(QCursor::pos());
    for (auto [action, item] : items)
        item->viewChanged = nullptr; // the menu goes now
    if (items.count(chosen)) items[chosen]->click();
}

} // namespace qt
