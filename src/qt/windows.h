#pragma once
// The Linux program's windows, one per form, each built from the shared layout table.
#include "platform/platform.h"
#include "qt/form_window.h"
#include "qt/root_snow.h"
#include "qt/shm_frames.h"

#include <QSystemTrayIcon>
#include <QTimer>

class QMenuBar;

namespace app {
class Kalo1;
class Kalo2;
class Kalo3;
class Kalo4;
class KaloLoad;
} // namespace app

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

class AboutWindow : public FormWindow {
  public:
    AboutWindow(app::Kalo4& form, std::function<void()> unload);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    app::Kalo4& form_;
    QWidget* link_;
};

class NoticeWindow : public FormWindow {
  public:
    explicit NoticeWindow(app::KaloLoad& form);
};

// The hidden tray window with the notification-area icon; the icon's clicks reach the
// form as the tray codes of the Windows program.
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

namespace qt {

// The snow over the desktop: a frameless window that never takes the focus or a click,
// with no taskbar or pager entry, translucent where the picture is black; the window
// manager keeps it above the others while "Snow on top" is ticked.
class SnowWindow : public FormWindow {
  public:
    SnowWindow(app::Kalo3& form, const platform::ScreenMetrics& screen);
    void setOnTop(bool onTop, int widthPixels, int heightPixels);
    // True when the snow falls in the root window, the display having no compositor.
    bool onDesktop() const { return root_ != nullptr; }
    std::function<void()> placeChanged; // the snow moved between the desktop and its window
    std::function<void()> cannotShow;   // snow falls where its window cannot stay on top

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

    app::Kalo3& form_;
    platform::ScreenMetrics screen_;
    QImage frame_; // the frame, where it cannot be made in the window's buffer
    QSize reported_;
    std::unique_ptr<RootSnow> root_;
    std::unique_ptr<ShmFrames> frames_; // set when frames go to the X server unpainted by Qt
    bool falling_ = false;              // shown, in the root window
    bool onTop_ = false;                // "Snow on top" ticked
    bool overlay_ = true;               // false under Wayland, where this window cannot stay on top
    bool cannotShowReported_ = false;
    QTimer* compositorCheck_ = nullptr;
};

QIcon programIcon();

} // namespace qt
