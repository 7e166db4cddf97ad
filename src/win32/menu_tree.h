#pragma once
// Menus built from menu-item models: hidden items are left out (and come back in their
// place when shown), check marks and enabled states follow the models, and a command
// id finds its item's click procedure.
#include "ui/controls.h"

#include <windows.h>

#include <vector>

namespace win32 {

struct MenuNode {
    ui::MenuItem* item;
    int id; // 0 for an item that opens a sub-menu
    std::vector<MenuNode> children;
};

HMENU buildPopupMenu(const std::vector<MenuNode>& nodes);
HMENU buildMenuBar(const std::vector<MenuNode>& nodes);
// Runs the click procedure of the visible, enabled item with this id.
bool clickMenuCommand(const std::vector<MenuNode>& nodes, int id);

// A window's menu bar, rebuilt whenever one of its items changes.
class MenuBarBinding {
  public:
    MenuBarBinding(HWND owner, std::vector<MenuNode> nodes);
    bool command(int id) { return clickMenuCommand(nodes_, id); }

  private:
    void bind(std::vector<MenuNode>& nodes);
    void rebuild();
    HWND owner_;
    std::vector<MenuNode> nodes_;
};

} // namespace win32
