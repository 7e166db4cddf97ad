#include "qt/windows.h"
#include "snow/kalo3.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>

namespace qt {

namespace {

constexpr Qt::WindowFlags SNOW_FLAGS =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
    Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint;

constexpr int COMPOSITOR_CHECK_MS = 2000;

} // namespace

SnowWindow::SnowWindow(snow::Kalo3& form, const platform::ScreenMetrics& screen)
    : FormWindow(form.window, SNOW_FLAGS), form_(form), screen_(screen) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, screen.widthPixels, screen.heightPixels);
    const QString platform = QGuiApplication::platformName();
    overlay_ = !platform.startsWith("wayland");
    if (platform == "xcb") {
        root_ = RootSnow::openWithoutCompositor();
        compositorCheck_ = new QTimer(this);
        QObject::connect(compositorCheck_, &QTimer::timeout, [this] { followCompositor(); });
        compositorCheck_->start(COMPOSITOR_CHECK_MS);
    }
    form_.Picture1.presented = [this] { present(); };
    bindModel();
}

void SnowWindow::followCompositor() {
    bool composited = compositorRunning();
    if (composited == !root_) return;
    root_.reset(); // clears the flakes from the root window
    if (!composited) root_ = RootSnow::openWithoutCompositor();
    if (root_) hide();
    applyVisibility(false);
    if (placeChanged) placeChanged();
}

// In the root window the snow shows where the window would: the window itself stays
// unmapped, since without a compositor it would hide the desktop.
void SnowWindow::applyVisibility(bool) {
    falling_ = root_ && model_.visible();
    if (root_ && !falling_) root_->clear();
    if (!model_.visible()) return hide();
    if (!root_ && !isVisible() && overlay_) show();
    reportSize();
}

void SnowWindow::setOnTop(bool onTop, int widthPixels, int heightPixels) {
    onTop_ = onTop;
    if (!root_) setWindowFlag(Qt::WindowStaysOnTopHint, onTop); // hides it: shown below
    setGeometry(0, 0, widthPixels, heightPixels);
    model_.setVisible(true);
    applyVisibility(false);
}

void SnowWindow::reportSize() {
    if (size() == reported_) return;
    reported_ = size();
    model_.resized(width() * screen_.twipsPerPixelX, height() * screen_.twipsPerPixelY);
}

void SnowWindow::resizeEvent(QResizeEvent*) {
    if (isVisible() || falling_) reportSize();
}

// Black is the colour key: it becomes fully transparent, every other pixel opaque.
void SnowWindow::present() {
    const auto& surface = form_.Picture1;
    int w = surface.widthPixels(), h = surface.heightPixels();
    if (w <= 0 || h <= 0) return;
    if (!overlay_) return reportCannotShow();
    if (root_) return falling_ ? root_->show(surface.pixels().data(), w, h) : void();
    // No window manager restacks a window that bypasses it: while "Snow on top" is ticked,
    // each frame puts it back above the windows opened since.
    if (onTop_ && isVisible()) raise();
    if (frame_.size() != QSize(w, h)) frame_ = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    const std::uint32_t* from = surface.pixels().data();
    auto* to = reinterpret_cast<std::uint32_t*>(frame_.bits());
    for (std::size_t i = 0, n = std::size_t(w) * std::size_t(h); i < n; ++i)
        to[i] = from[i] == snow::BLACK ? 0u : 0xFF000000u | from[i];
    update();
}

// Once, when the snow first falls.
void SnowWindow::reportCannotShow() {
    if (cannotShowReported_ || !form_.Timer1.enabled()) return;
    cannotShowReported_ = true;
    if (cannotShow) cannotShow();
}

void SnowWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    if (!frame_.isNull()) painter.drawImage(0, 0, frame_);
}

} // namespace qt
