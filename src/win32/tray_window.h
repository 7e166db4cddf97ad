#pragma once
// KALO1: the hidden tray window. It owns the notification-area icon, receives its
// notifications as mouse moves, and shows the tray menu built from the form's items.
#include "app/kalo1.h"
#include "win32/form_window.h"
#include "win32/menu_tree.h"

namespace win32 {

namespace tray_ids {
constexpr int SHOW_MENU = 101, CENTERED = 102, TILED = 103, STRETCHED = 104, RUN_ON_STARTUP = 105,
              EXIT = 106;
}

constexpr UINT TRAY_CALLBACK_MESSAGE = 0x200; // WM_MOUSEMOVE
constexpr UINT TRAY_ICON_ID = 1;

class TrayWindow : public FormWindow {
  public:
    TrayWindow(app::Kalo1& form, platform::Platform& os);
    ~TrayWindow() override;

    void addIcon(const std::string& tip);
    void removeIcon();
    bool iconAdded() const { return iconAdded_; }
    void popupMenu();
    HMENU openMenu() const { return openMenu_; } // while the pop-up menu is open

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool notify(DWORD action);
    app::Kalo1& form_;
    platform::Platform& os_;
    std::vector<MenuNode> menu_;
    std::string tip_;
    bool iconAdded_ = false;
    HMENU openMenu_ = nullptr;
    UINT taskbarCreated_;
};

} // namespace win32
