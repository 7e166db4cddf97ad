#include "qt/snow_window.h"
#include "app/kalo3.h"
#include "linux/wayland/snow_place.h"
#include "linux/x11/overlay.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>
#include <algorithm>

namespace qt {

namespace {

// A window the window manager manages, so that it keeps its place among the others: a
// plain one, since a tool window would be kept above the program's own windows.
constexpr Qt::WindowFlags SNOW_FLAGS = Qt::Window | Qt::FramelessWindowHint |
                                       Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;

constexpr int COMPOSITOR_CHECK_MS = 2000;

// The frame fills the buffer; what lies beyond it is cleared.
void keyedFrame(const snow::Surface& surface, snow::PixelGrid buffer) {
    if (surface.widthPixels() < buffer.width || surface.heightPixels() < buffer.height)
        std::fill_n(buffer.data, buffer.width * buffer.height, 0u);
    surface.copyKeyed(buffer);
}

} // namespace

SnowWindow::SnowWindow(app::Kalo3& form, const platform::ScreenMetrics& screen)
    : FormWindow(form.window, SNOW_FLAGS), form_(form), screen_(screen) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, screen.widthPixels, screen.heightPixels);
    const QString platform = QGuiApplication::platformName();
    layers_ = linux::wayland::LayerSnow::open();
    auto place = linux::wayland::snowPlace(
        layers_ ? layers_->offered() : std::vector<std::string>(), platform.toStdString());
    if (place == linux::wayland::SnowPlace::LayerSurfaces)
        followLayers();
    else
        layers_.reset();
    overlay_ = place == linux::wayland::SnowPlace::Window;
    if (platform == "xcb" && !layers_) {
        root_ = linux::x11::RootSnow::openWithoutCompositor();
        if (devicePixelRatioF() == 1) frames_ = linux::x11::ShmFrames::open();
        setAttribute(Qt::WA_PaintOnScreen, frames_ != nullptr); // Qt paints none of it
        compositor_ = std::make_unique<linux::x11::CompositorWatch>();
        compositorCheck_ = new QTimer(this);
        QObject::connect(compositorCheck_, &QTimer::timeout, [this] { followCompositor(); });
        compositorCheck_->start(COMPOSITOR_CHECK_MS);
    }
    form_.Picture1.presented = [this] { present(); };
    bindModel();
}

void SnowWindow::followCompositor() {
    bool composited = compositor_->running();
    if (composited == !root_) return;
    root_.reset(); // clears the flakes from the root window
    if (!composited) root_ = linux::x11::RootSnow::openWithoutCompositor();
    if (root_) hide();
    applyVisibility(false);
    if (placeChanged) placeChanged();
}

// The compositor's events are read as they come; what the snow sends goes out before the
// program waits for anything.
void SnowWindow::followLayers() {
    layerEvents_ = new QSocketNotifier(layers_->fd(), QSocketNotifier::Read, this);
    QObject::connect(layerEvents_, &QSocketNotifier::activated, [this] {
        if (layers_) layers_->readEvents();
    });
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     this, [this] {
                         if (layers_) layers_->flush();
                     });
    layers_->configured = [this] {
        reportSize();
        present();
    };
    layers_->failed = [this](const std::string& why) { stopLayers(why); };
}

// The connection is gone: the snow stops, and the user is told once. The surfaces go
// once their handler has returned.
void SnowWindow::stopLayers(const std::string& why) {
    cannotShowReported_ = true;
    overlay_ = false;
    layerEvents_->setEnabled(false);
    QTimer::singleShot(0, this, [this] { layers_.reset(); });
    if (cannotShow)
        cannotShow("The snow stopped: the connection to the Wayland compositor failed (" + why +
                   ").");
}

// In the root window the snow shows where the window would: the window itself stays
// unmapped, since without a compositor it would hide the desktop.
void SnowWindow::applyVisibility(bool) {
    if (layers_) {
        if (model_.visible())
            layers_->show(onTop_);
        else
            layers_->hide();
        return reportSize();
    }
    falling_ = root_ && model_.visible();
    if (root_ && !falling_) root_->clear();
    if (!model_.visible()) return hide();
    if (!root_ && !isVisible() && overlay_) show();
    reportSize();
}

// The window manager is asked directly: a change of Qt's stays-on-top flag would make
// Qt replace the native window at its next showing, unseen by the widget, and the new one
// would take every click.
void SnowWindow::setOnTop(bool onTop, int widthPixels, int heightPixels) {
    onTop_ = onTop;
    if (layers_) layers_->setOnTop(onTop);
    if (isVisible()) linux::x11::requestAbove(windowHandle()->winId(), onTop);
    setGeometry(0, 0, widthPixels, heightPixels);
    model_.setVisible(true);
    applyVisibility(false);
}

// Whatever native window Qt makes, it takes no click.
bool SnowWindow::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange) linux::x11::passClicksThrough(internalWinId());
    return FormWindow::event(event);
}

// A window manager that puts the window in a frame of its own may give the frame the
// window's input shape only when told that the shape changed while it manages the window.
bool SnowWindow::nativeEvent(const QByteArray& type, void* message, qintptr* result) {
    if (type == "xcb_generic_event_t" && linux::x11::isMapNotify(message))
        linux::x11::passClicksThrough(windowHandle()->winId());
    return FormWindow::nativeEvent(type, message, result);
}

// Sent before the window is mapped, while its state is still the client's to set: the
// window manager may have dropped it when the window was last hidden.
void SnowWindow::showEvent(QShowEvent* event) {
    linux::x11::passClicksThrough(internalWinId());
    linux::x11::prepareOverlayState(internalWinId(), onTop_);
    FormWindow::showEvent(event);
}

// On layer surfaces the snow is as large as the largest of them.
QSize SnowWindow::snowSize() const {
    if (!layers_) return size();
    auto size = layers_->size();
    return {size.width, size.height};
}

void SnowWindow::reportSize() {
    const QSize size = snowSize();
    if (size == reported_ || (layers_ && size.isEmpty())) return; // no surface sized yet
    reported_ = size;
    model_.resized(size.width() * screen_.twipsPerPixelX, size.height() * screen_.twipsPerPixelY);
}

void SnowWindow::resizeEvent(QResizeEvent*) {
    if (isVisible() || falling_) reportSize();
}

void SnowWindow::present() {
    const auto& surface = form_.Picture1;
    int w = surface.widthPixels(), h = surface.heightPixels();
    if (w <= 0 || h <= 0) return;
    if (layers_)
        return layers_->present([&surface](snow::PixelGrid frame) { keyedFrame(surface, frame); });
    if (!overlay_) return reportCannotShow();
    if (root_) return falling_ ? root_->show(surface.pixels().data(), w, h) : void();
    if (frames_) return putFrame();
    update();
}

// Once, when the snow first falls.
void SnowWindow::reportCannotShow() {
    if (cannotShowReported_ || !form_.Timer1.enabled()) return;
    cannotShowReported_ = true;
    if (cannotShow)
        cannotShow(linux::wayland::cannotFallNotice(
            qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString()));
}

namespace {

snow::PixelGrid gridOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height()};
}

// The image the painter really draws into, when it is the window's own buffer at its
// origin in the format the frame is made in, rows packed.
QImage* windowBuffer(QPainter& painter) {
    auto* image = dynamic_cast<QImage*>(painter.paintEngine()->paintDevice());
    bool direct = image && image->format() == QImage::Format_ARGB32_Premultiplied &&
                  image->bytesPerLine() == image->width() * 4 &&
                  painter.deviceTransform().isIdentity();
    return direct ? image : nullptr;
}

} // namespace

// The frame replaces every pixel it covers, so only what lies beyond it is cleared. Where
// the painter draws straight into the window's buffer, the frame is made there.
void SnowWindow::paintEvent(QPaintEvent*) {
    if (frames_) return putFrame();
    const auto& surface = form_.Picture1;
    const QRect frame(0, 0, surface.widthPixels(), surface.heightPixels());
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!frame.contains(rect())) painter.fillRect(rect(), Qt::transparent);
    if (QImage* buffer = windowBuffer(painter)) return surface.copyKeyed(gridOf(*buffer));
    if (frame_.size() != frame.size())
        frame_ = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
    surface.copyKeyed(gridOf(frame_));
    painter.drawImage(0, 0, frame_);
}

QPaintEngine* SnowWindow::paintEngine() const {
    return frames_ ? nullptr : FormWindow::paintEngine();
}

// Memory the server shares could not be had for this size: Qt paints from now on.
void SnowWindow::paintByQt() {
    frames_.reset();
    setAttribute(Qt::WA_PaintOnScreen, false);
    update();
}

// The frame fills the window; what lies beyond it is cleared.
void SnowWindow::putFrame() {
    if (!isVisible()) return;
    const auto& surface = form_.Picture1;
    snow::PixelGrid buffer = frames_->frame(width(), height());
    if (!buffer.data) return paintByQt();
    keyedFrame(surface, buffer);
    frames_->put(windowHandle()->winId());
}

} // namespace qt
