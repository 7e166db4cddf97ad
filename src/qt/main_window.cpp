#include "app/kalo2.h"
#include "qt/services.h"
#include "qt/windows.h"

#include <QMenuBar>

namespace qt {

namespace {
constexpr const auto& L = layout::MAIN;
}

MainWindow::MainWindow(app::Kalo2& form)
    : FormWindow(form.window,
                 Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      form_(form) {
    int menuHeight = createMenus()->sizeHint().height();
    body_ = new QWidget(this);
    bodyControls_ = std::make_unique<ControlSet>(body_);
    body_->setGeometry(pixelsOf(L.client).translated(0, menuHeight));
    createWallpaperGroup(*bodyControls_);
    createStatus(*bodyControls_);
    createSnowGroup(*bodyControls_);
    setClientSize(pixelsOf(L.client).size() + QSize(0, menuHeight));
    closeRequested = [this] { form_.Form_QueryUnload(true); };
    bindModel();
}

void MainWindow::setSnowOnTopHint(const std::string& text) {
    if (QWidget* box = bodyControls_->widgetOf(form_.Check1)) box->setToolTip(qs(text));
}

QMenuBar* MainWindow::createMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* kalo = bar->addMenu(qs(form_.KALO.caption()));
    for (ui::MenuItem* item :
         {&form_.snow1, &form_.snow2, &form_.reset, &form_.resetsnow, &form_.exit})
        boundAction(*kalo, *item);
    boundAction(*bar->addMenu(qs(form_.Help.caption())), form_.about);
    return bar;
}

void MainWindow::createWallpaperGroup(ControlSet& c) {
    c.groupBox(form_.F2, L.F2);
    c.groupBox(form_.f1, L.f1);
    c.listBox(form_.Wallpaper, L.Wallpaper);
    c.comboBox(form_.c2, L.c2);
    c.comboBox(form_.c1, L.c1);
    c.button(form_.add, L.add);
    c.button(form_.del, L.del);
}

// The preview, the status line and Run and Stop, which share one place.
void MainWindow::createStatus(ControlSet& c) {
    c.imageBox(form_.im, L.im);
    c.groupBox(form_.f3, L.f3);
    c.groupBox(form_.f4, L.f4);
    c.label(form_.Label1, L.Label1);
    c.label(form_.Label2, L.Label2);
    c.button(form_.run, L.run);
    c.button(form_.stope, L.run);
}

void MainWindow::createSnowGroup(ControlSet& c) {
    c.groupBox(form_.f5, L.f5);
    c.checkBox(form_.Check1, L.Check1);
    c.label(form_.Label3, L.Label3);
    c.slider(form_.Slider1_Layers, L.Slider1);
    c.label(form_.Label4, L.Label4);
    c.slider(form_.Slider2_Density, L.Slider2);
    c.label(form_.Label5, L.Label5);
    c.slider(form_.Slider3_Speed, L.Slider3);
    c.label(form_.Label6, L.Label6);
    c.slider(form_.Slider4_Size, L.Slider4);
}

} // namespace qt
