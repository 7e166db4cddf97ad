#include "win32/list_rows.h"

#include "win32/fonts.h"
#include "win32/services.h"

#include <commctrl.h>

#include <algorithm>

namespace win32 {

namespace {

constexpr int TEXT_MARGIN = 2;   // pixels left of a row's text, as a plain list box leaves
constexpr int MIN_EXTENT = 1200; // the width one can always scroll across, at 96 dpi

wchar_t upper(wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
}

// A character takes at most four bytes; one below 0x80 is itself.
wchar_t firstCharacter(const std::string& text) {
    if (text.empty() || static_cast<unsigned char>(text[0]) < 0x80) return wchar_t(text[0]);
    const std::wstring head = widen(text.substr(0, 4));
    return head.empty() ? L'\0' : head[0];
}

} // namespace

ListRows::ListRows(ui::ListBox& model, HWND control) : model_(model), control_(control) {
    SendMessageW(control_, LB_SETHORIZONTALEXTENT, WPARAM(scaled(MIN_EXTENT)), 0);
    SetWindowSubclass(control_, procedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

ListRows::~ListRows() {
    RemoveWindowSubclass(control_, procedure, 0);
}

// Entries appended with the selection unchanged are held back: the count is set once,
// when the list box is next used or the program next waits for messages. A list box
// told of each of 100,000 appends in turn takes seconds under Wine.
void ListRows::sync() {
    if (model_.count() > shownCount_ && model_.listIndex() == shownIndex_) return holdCount();
    applyCount();
    syncSelection();
}

void ListRows::holdCount() {
    if (countHeld_) return;
    countHeld_ = true;
    PostMessageW(control_, WM_NULL, 0, 0); // its arrival, as any message's, applies the count
}

// Setting the count repaints every row, so entries removed or replaced show too.
void ListRows::applyCount() {
    if (!countHeld_ && model_.count() == shownCount_) return;
    countHeld_ = false;
    const std::size_t from = model_.count() < shownCount_ ? 0 : std::size_t(shownCount_);
    shownCount_ = model_.count();
    SendMessageW(control_, LB_SETCOUNT, WPARAM(shownCount_), 0);
    InvalidateRect(control_, nullptr, TRUE);
    widenExtent(from);
}

void ListRows::syncSelection() {
    shownIndex_ = model_.listIndex();
    if (SendMessageW(control_, LB_GETCURSEL, 0, 0) != shownIndex_)
        SendMessageW(control_, LB_SETCURSEL, WPARAM(shownIndex_), 0);
}

// The longest entry in bytes stands for the widest: measuring each of a long list's
// entries would cost more than loading them.
void ListRows::widenExtent(std::size_t from) {
    const auto& items = model_.items();
    if (from == 0) longest_ = 0;
    const std::string* widest = nullptr;
    for (std::size_t i = from; i < items.size(); ++i)
        if (items[i].size() > longest_) longest_ = (widest = &items[i])->size();
    if (!widest) return;
    const int width = textWidth(font(), widen(*widest)) + 2 * TEXT_MARGIN;
    SendMessageW(control_, LB_SETHORIZONTALEXTENT, WPARAM(std::max(width, scaled(MIN_EXTENT))), 0);
}

void ListRows::draw(const DRAWITEMSTRUCT& row) const {
    const bool selected = row.itemState & ODS_SELECTED;
    FillRect(row.hDC, &row.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (row.itemID < UINT(model_.count())) drawText(row);
    if (row.itemState & ODS_FOCUS) DrawFocusRect(row.hDC, &row.rcItem);
}

void ListRows::drawText(const DRAWITEMSTRUCT& row) const {
    const std::wstring text = widen(model_.item(long(row.itemID)));
    int colour = row.itemState & ODS_SELECTED ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
    if (row.itemState & ODS_DISABLED) colour = COLOR_GRAYTEXT;
    const int saved = SaveDC(row.hDC);
    SelectObject(row.hDC, font());
    SetTextColor(row.hDC, GetSysColor(colour));
    SetBkMode(row.hDC, TRANSPARENT);
    RECT place = row.rcItem;
    place.left += TEXT_MARGIN;
    DrawTextW(row.hDC, text.c_str(), int(text.size()), &place,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    RestoreDC(row.hDC, saved);
}

HFONT ListRows::font() const {
    return reinterpret_cast<HFONT>(SendMessageW(control_, WM_GETFONT, 0, 0));
}

// As a plain list box does: the next entry after the selected one, round past the end,
// that starts with the typed character in either case.
LRESULT ListRows::entryStartingWith(wchar_t typed) const {
    const long count = model_.count();
    const wchar_t wanted = upper(typed);
    for (long step = 1; step <= count; ++step) {
        const long index = (model_.listIndex() + step) % count;
        if (upper(firstCharacter(model_.item(index))) == wanted) return index;
    }
    return -2; // nothing to select, and nothing more for the list box to do
}

// Any message to the list box first applies a count held back, so it never answers
// from a stale one. Its rows' texts come from the model, for those who read them
// (screen readers ask a list box for them).
LRESULT CALLBACK ListRows::procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
    auto* rows = reinterpret_cast<ListRows*>(self);
    if (rows->countHeld_) rows->applyCount();
    if (message == LB_GETTEXT || message == LB_GETTEXTLEN)
        return rows->text(message, wParam, lParam);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(control, procedure, 0);
    return DefSubclassProc(control, message, wParam, lParam);
}

LRESULT ListRows::text(UINT message, WPARAM index, LPARAM buffer) const {
    if (index >= WPARAM(shownCount_)) return LB_ERR;
    const std::wstring text = widen(model_.item(long(index)));
    if (message == LB_GETTEXT)
        std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<wchar_t*>(buffer));
    return LRESULT(text.size());
}

} // namespace win32
