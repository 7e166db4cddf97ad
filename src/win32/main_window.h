#pragma once
// KALO2: the main window with its groups, controls and menu bar. Closing it with its
// close box only hides it; a close by the session's end is let through.
#include "app/kalo2.h"
#include "win32/form_window.h"
#include "win32/menu_tree.h"

namespace win32 {

namespace main_ids {
constexpr int SNOW_ON = 201, SNOW_OFF = 202, RESET = 203, RESET_SNOW = 204, EXIT = 205, ABOUT = 206;
}

class MainWindow : public FormWindow {
  public:
    explicit MainWindow(app::Kalo2& form);

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls();
    std::vector<MenuNode> menuTree();

    app::Kalo2& form_;
    std::unique_ptr<MenuBarBinding> menu_;
};

} // namespace win32
