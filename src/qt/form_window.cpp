#include "qt/form_window.h"

#include "linux/services.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace qt {

FormWindow::FormWindow(ui::Window& model, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), model_(model) {}

void FormWindow::unbind() {
    if (!std::exchange(bound_, false)) return;
    model_.viewChanged = nullptr;
    model_.frontRequested = nullptr;
    closeRequested = nullptr;
    hide();
}

void FormWindow::bindModel() {
    model_.viewChanged = [this] {
        setWindowTitle(linux::qs(model_.caption()));
        applyVisibility(false);
    };
    model_.frontRequested = [this] { applyVisibility(true); };
    model_.viewChanged();
}

void FormWindow::applyVisibility(bool front) {
    if (!model_.visible()) return hide();
    if (isMinimized()) showNormal();
    if (!isVisible()) show();
    if (front) raise(), activateWindow();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore(); // only the form decides, through its model
    if (closeRequested) closeRequested();
}

// A fixed size, centred on the screen as the Windows program's windows are.
void FormWindow::setClientSize(QSize size) {
    setFixedSize(size);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace qt
