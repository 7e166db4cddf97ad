#include "win32/menu_tree.h"

#include "win32/services.h"

namespace win32 {

namespace {

void appendNode(HMENU menu, const MenuNode& node);

void appendAll(HMENU menu, const std::vector<MenuNode>& nodes) {
    for (const auto& node : nodes)
        if (node.item->visible()) appendNode(menu, node);
}

void appendNode(HMENU menu, const MenuNode& node) {
    UINT flags = MF_STRING | (node.item->checked() ? MF_CHECKED : 0u) |
                 (node.item->enabled() ? 0u : MF_GRAYED);
    std::wstring caption = widen(node.item->caption());
    if (node.children.empty()) {
        AppendMenuW(menu, flags, UINT_PTR(node.id), caption.c_str());
        return;
    }
    HMENU sub = CreatePopupMenu();
    appendAll(sub, node.children);
    AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
}

} // namespace

HMENU buildPopupMenu(const std::vector<MenuNode>& nodes) {
    HMENU menu = CreatePopupMenu();
    appendAll(menu, nodes);
    return menu;
}

HMENU buildMenuBar(const std::vector<MenuNode>& nodes) {
    HMENU menu = CreateMenu();
    appendAll(menu, nodes);
    return menu;
}

bool clickMenuCommand(const std::vector<MenuNode>& nodes, int id) {
    for (const auto& node : nodes) {
        if (!node.item->visible() || !node.item->enabled()) continue;
        if (node.children.empty() && node.id == id) {
            node.item->click();
            return true;
        }
        if (clickMenuCommand(node.children, id)) return true;
    }
    return false;
}

MenuBarBinding::MenuBarBinding(HWND owner, std::vector<MenuNode> nodes)
    : owner_(owner), nodes_(std::move(nodes)) {
    bind(nodes_);
    rebuild();
}

void MenuBarBinding::bind(std::vector<MenuNode>& nodes) {
    for (auto& node : nodes) {
        node.item->viewChanged = [this] { rebuild(); };
        bind(node.children);
    }
}

void MenuBarBinding::rebuild() {
    HMENU old = GetMenu(owner_);
    SetMenu(owner_, buildMenuBar(nodes_));
    if (old) DestroyMenu(old);
    DrawMenuBar(owner_);
}

} // namespace win32
