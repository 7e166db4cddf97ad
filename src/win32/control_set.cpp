#include "win32/control_set.h"

#include "win32/control_sync.h"
#include "win32/fonts.h"
#include "win32/list_rows.h"
#include "win32/services.h"

#include <commctrl.h>

namespace win32 {

namespace {

RECT pixels(Place twips) {
    const Place p = app::layout::inPixels(twips);
    return {scaled(p.left), scaled(p.top), scaled(p.width), scaled(p.height)};
}

std::optional<LRESULT> answer(bool handled, LRESULT result) {
    return handled ? std::optional<LRESULT>(result) : std::nullopt;
}

int checkState(int value) {
    if (value == 1) return BST_CHECKED;
    return value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
}

} // namespace

ControlSet::ControlSet(HWND parent, int firstId) : parent_(parent), nextId_(firstId) {}

HWND ControlSet::create(const wchar_t* className, const std::string& text, DWORD style,
                        Place place) {
    RECT r = pixels(place);
    HWND control = CreateWindowExW(0, className, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                   r.left, r.top, r.right, r.bottom, parent_,
                                   reinterpret_cast<HMENU>(INT_PTR(nextId_++)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(messageFont()), FALSE);
    return control;
}

void ControlSet::bindCommon(ui::Control& model, HWND control, std::function<void()> refresh) {
    handles_[&model] = control;
    model.viewChanged = [&model, control, refresh] {
        syncVisibleEnabled(control, model);
        if (refresh) refresh();
    };
    model.viewChanged();
}

HWND ControlSet::button(ui::Button& model, Place place) {
    HWND control = create(L"BUTTON", model.caption(), BS_PUSHBUTTON | WS_TABSTOP, place);
    commands_[idOf(control)] = [&model](int code) {
        if (code == BN_CLICKED) model.click();
    };
    bindCommon(model, control, [&model, control] { syncText(control, model.caption()); });
    return control;
}

HWND ControlSet::label(ui::Label& model, Place place, DWORD style) {
    HWND control = create(L"STATIC", model.caption(), style | SS_NOTIFY, place);
    commands_[idOf(control)] = [&model](int code) {
        if (code == STN_CLICKED) model.click();
    };
    bindCommon(model, control, [&model, control] { syncText(control, model.caption()); });
    return control;
}

HWND ControlSet::groupBox(ui::Frame& model, Place place) {
    HWND control = create(L"BUTTON", model.caption(), BS_GROUPBOX, place);
    bindCommon(model, control, [&model, control] { syncText(control, model.caption()); });
    return control;
}

// The box itself never changes its state: a click asks the model, whose value then
// shows, exactly as a change made by code does.
HWND ControlSet::checkBox(ui::CheckBox& model, Place place) {
    HWND control = create(L"BUTTON", model.caption(), BS_3STATE | WS_TABSTOP, place);
    commands_[idOf(control)] = [&model](int code) {
        if (code == BN_CLICKED) model.setValue(model.value() == 1 ? 0 : 1);
    };
    bindCommon(model, control, [&model, control] {
        if (SendMessageW(control, BM_GETCHECK, 0, 0) != checkState(model.value()))
            SendMessageW(control, BM_SETCHECK, WPARAM(checkState(model.value())), 0);
    });
    return control;
}

HWND ControlSet::listBox(ui::ListBox& model, Place place) {
    const DWORD style = ListRows::STYLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                        WS_HSCROLL | WS_BORDER | WS_TABSTOP;
    HWND control = create(L"LISTBOX", "", style, place);
    auto rows = std::make_shared<ListRows>(model, control);
    lists_[idOf(control)] = rows;
    commands_[idOf(control)] = [&model, control](int code) {
        if (code == LBN_SELCHANGE)
            model.setListIndex(long(SendMessageW(control, LB_GETCURSEL, 0, 0)));
    };
    bindCommon(model, control, [rows] { rows->sync(); });
    model.focusRequested = [control] { SetFocus(control); };
    return control;
}

HWND ControlSet::comboBox(ui::ComboBox& model, Place place, int dropHeight) {
    Place withList = place;
    withList.height += dropHeight * app::layout::TWIPS_PER_PIXEL;
    HWND control =
        create(L"COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, withList);
    auto refreshing = std::make_shared<bool>(false);
    commands_[idOf(control)] = [&model, control, refreshing](int code) {
        if (code == CBN_SELCHANGE) {
            LRESULT chosen = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (chosen >= 0) model.choose(std::size_t(chosen));
        } else if (code == CBN_EDITCHANGE && !*refreshing) {
            model.typeText(windowText(control));
        }
    };
    auto mirror = std::make_shared<ListMirror>();
    bindCommon(model, control, [&model, control, mirror, refreshing] {
        *refreshing = true;
        mirror->sync(control, model.items());
        syncText(control, model.text());
        *refreshing = false;
    });
    return control;
}

HWND ControlSet::slider(ui::Slider& model, Place place) {
    HWND control = create(TRACKBAR_CLASSW, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, place);
    SendMessageW(control, TBM_SETRANGEMIN, FALSE, model.min());
    SendMessageW(control, TBM_SETRANGEMAX, FALSE, model.max());
    SendMessageW(control, TBM_SETLINESIZE, 0, model.smallChange());
    SendMessageW(control, TBM_SETPAGESIZE, 0, model.largeChange());
    SendMessageW(control, TBM_SETTICFREQ, WPARAM(model.largeChange()), 0);
    // Dragging reports every position on the way; the move counts when it ends.
    scrolls_[control] = [&model, control](int code) {
        if (code != TB_THUMBTRACK) model.move(int(SendMessageW(control, TBM_GETPOS, 0, 0)));
    };
    bindCommon(model, control, [&model, control] {
        if (SendMessageW(control, TBM_GETPOS, 0, 0) != model.value())
            SendMessageW(control, TBM_SETPOS, TRUE, model.value());
    });
    return control;
}

HWND ControlSet::imageBox(ui::ImageBox& model, Place place) {
    images_.push_back(std::make_unique<ImageView>(model, parent_, nextId_++, pixels(place)));
    ImageView* view = images_.back().get();
    bindCommon(model, view->hwnd(), [view] { view->refresh(); });
    return view->hwnd();
}

HWND ControlSet::handleOf(const ui::Control& model) const {
    auto found = handles_.find(&model);
    return found == handles_.end() ? nullptr : found->second;
}

std::optional<LRESULT> ControlSet::message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return answer(command(LOWORD(wParam), HIWORD(wParam)), 0);
    case WM_HSCROLL:
        return answer(scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam)), 0);
    case WM_DRAWITEM:
        return answer(drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)), TRUE);
    case WM_MEASUREITEM:
        return answer(measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)), TRUE);
    case WM_CHARTOITEM:
        return entryForCharacter(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    default:
        return std::nullopt;
    }
}

bool ControlSet::command(int id, int code) {
    auto found = commands_.find(id);
    if (found == commands_.end()) return false;
    found->second(code);
    return true;
}

bool ControlSet::scroll(HWND control, int code) {
    auto found = scrolls_.find(control);
    if (found == scrolls_.end()) return false;
    found->second(code);
    return true;
}

bool ControlSet::drawItem(const DRAWITEMSTRUCT& row) {
    auto found = lists_.find(int(row.CtlID));
    if (found == lists_.end()) return false;
    found->second->draw(row);
    return true;
}

// Asked while a list box is being made, before its font is set: the set's list boxes all
// use the message font.
bool ControlSet::measureItem(MEASUREITEMSTRUCT& row) {
    if (row.CtlType != ODT_LISTBOX) return false;
    row.itemHeight = UINT(lineHeight(messageFont()));
    return true;
}

std::optional<LRESULT> ControlSet::entryForCharacter(HWND control, wchar_t typed) {
    auto found = lists_.find(idOf(control));
    if (found == lists_.end()) return std::nullopt;
    return found->second->entryStartingWith(typed);
}

} // namespace win32
