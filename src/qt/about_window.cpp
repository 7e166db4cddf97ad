#include "qt/about_window.h"
#include "app/kalo4.h"
#include "linux/services.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace qt {

namespace {
constexpr const auto& L = app::layout::ABOUT;
}

AboutWindow::AboutWindow(app::Kalo4& form, std::function<void()> unload)
    : FormWindow(form.window, Qt::Dialog | Qt::WindowCloseButtonHint), form_(form) {
    auto& c = controls();
    auto* frame = c.label(form.Frame1, L.Frame1);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setToolTip(linux::qs(app::LINK_TIP));
    c.label(form.Label1, L.Label1);
    c.label(form.Label2, L.Label2);
    c.label(form.Label3, L.Label3);
    auto* link = c.label(form.Label786, L.Label786);
    link->setStyleSheet("color: #0000ee; text-decoration: underline;");
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(linux::qs(app::LINK_TIP));
    link->setFocusPolicy(Qt::TabFocus);
    link_ = link;
    c.button(form.ok, L.ok)->setFocus();
    setClientSize(pixelsOf(L.client).size());
    closeRequested = std::move(unload);
    bindModel();
}

// Enter opens the link while it has the focus and presses OK elsewhere; Esc closes.
void AboutWindow::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == link_) return form_.Label786.click();
    if (enter) return form_.ok.click();
    if (event->key() == Qt::Key_Space && focusWidget() == link_) return form_.Label786.click();
    if (event->key() == Qt::Key_Escape && closeRequested) return closeRequested();
    FormWindow::keyPressEvent(event);
}

} // namespace qt
