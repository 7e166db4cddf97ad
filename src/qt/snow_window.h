#pragma once
// KALO3: the snow over the desktop. A frameless window that never takes the focus or a
// click, with no taskbar or pager entry, translucent where the picture is black; the
// window manager keeps it above the others while "Snow on top" is ticked. Where the
// Wayland compositor offers layer surfaces, the snow falls in those instead.
#include "linux/wayland/layer_snow.h"
#include "linux/x11/root_snow.h"
#include "linux/x11/shm_frames.h"
#include "platform/platform.h"
#include "qt/form_window.h"

#include <QImage>
#include <QSocketNotifier>
#include <QTimer>

namespace app {
class Kalo3;
}

namespace qt {

class SnowWindow : public FormWindow {
  public:
    SnowWindow(app::Kalo3& form, const platform::ScreenMetrics& screen);
    void setOnTop(bool onTop, int widthPixels, int heightPixels);
    // True when the snow falls in the root window, the display having no compositor.
    bool onDesktop() const { return root_ != nullptr; }
    std::function<void()> placeChanged; // the snow moved between the desktop and its window
    // Snow falls where it cannot show over the windows, or its surfaces failed: says why.
    std::function<void(const std::string& notice)> cannotShow;

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool nativeEvent(const QByteArray& type, void* message, qintptr* result) override;
    void paintEvent(QPaintEvent* event) override;
    QPaintEngine* paintEngine() const override;
    void resizeEvent(QResizeEvent* event) override;
    void applyVisibility(bool front) override;

  private:
    void reportSize();
    void present();
    void putFrame();
    void paintByQt();
    void followCompositor(); // where the snow falls follows a compositor coming or going
    void reportCannotShow();
    QSize snowSize() const;
    void followLayers();
    void stopLayers(const std::string& why);

    app::Kalo3& form_;
    platform::ScreenMetrics screen_;
    QImage frame_; // the frame, where it cannot be made in the window's buffer
    QSize reported_;
    std::unique_ptr<linux::wayland::LayerSnow> layers_; // where the compositor offers them
    QSocketNotifier* layerEvents_ = nullptr;            // their connection has news
    std::unique_ptr<linux::x11::RootSnow> root_;
    // Set when frames go to the X server unpainted by Qt.
    std::unique_ptr<linux::x11::ShmFrames> frames_;
    bool falling_ = false; // shown, in the root window
    bool onTop_ = false;   // "Snow on top" ticked
    bool overlay_ = true;  // false under Wayland, where this window cannot stay on top
    bool cannotShowReported_ = false;
    std::unique_ptr<linux::x11::CompositorWatch> compositor_; // on X only
    QTimer* compositorCheck_ = nullptr;
};

} // namespace qt
