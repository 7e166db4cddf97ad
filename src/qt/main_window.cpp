#include "qt/main_window.h"
#include "app/main_window_controls.h"
#include "linux/services.h"

#include <QMenuBar>

namespace qt {

namespace {
constexpr const auto& L = app::layout::MAIN;
}

MainWindow::MainWindow(app::Kalo2& form)
    : FormWindow(form.window,
                 Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form) {
    int menuHeight = createMenus()->sizeHint().height();
    body_ = new QWidget(this);
    bodyControls_ = std::make_unique<ControlSet>(body_);
    body_->setGeometry(pixelsOf(L.client).translated(0, menuHeight));
    app::placeMainWindowControls(form_, *bodyControls_);
    setClientSize(pixelsOf(L.client).size() + QSize(0, menuHeight));
    closeRequested = [this] { form_.Form_QueryUnload(true); };
    bindModel();
}

void MainWindow::setSnowOnTopHint(const std::string& text) {
    if (QWidget* box = bodyControls_->widgetOf(form_.Check1)) box->setToolTip(linux::qs(text));
}

QMenuBar* MainWindow::createMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* kalo = bar->addMenu(linux::qs(form_.KALO.caption()));
    for (ui::MenuItem* item :
         {&form_.snow1, &form_.snow2, &form_.reset, &form_.resetsnow, &form_.exit})
        boundAction(*kalo, *item);
    boundAction(*bar->addMenu(linux::qs(form_.Help.caption())), form_.about);
    return bar;
}

} // namespace qt
