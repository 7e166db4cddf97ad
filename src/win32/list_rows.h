#pragma once
// A list box that keeps no copy of the entries: it is told only how many the model holds
// and draws each row it shows from the model, so a list of 100,000 entries costs it one
// count rather than 100,000 strings. Its window passes on the list box's requests to
// draw a row and to find an entry by a typed letter.
#include "ui/controls.h"

#include <windows.h>

#include <cstddef>

namespace win32 {

class ListRows {
  public:
    // The list box's style: no strings of its own, rows of one height drawn by us, and
    // typed letters asked of us.
    static constexpr DWORD STYLE = LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT;

    ListRows(ui::ListBox& model, HWND control);
    ~ListRows();
    ListRows(const ListRows&) = delete;
    ListRows& operator=(const ListRows&) = delete;

    void sync(); // the model changed
    void draw(const DRAWITEMSTRUCT& row) const;
    // The entry to select for a typed character, or -2 for none.
    LRESULT entryStartingWith(wchar_t typed) const;

  private:
    static LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
    LRESULT text(UINT message, WPARAM index, LPARAM buffer) const;
    void holdCount();
    void applyCount();
    void syncSelection();
    void widenExtent(std::size_t from);
    void drawText(const DRAWITEMSTRUCT& row) const;
    HFONT font() const;

    ui::ListBox& model_;
    HWND control_;
    long shownCount_ = 0;  // the count the list box was last given
    long shownIndex_ = -1; // the selection last brought into line with the model
    bool countHeld_ = false;
    std::size_t longest_ = 0; // bytes of the longest entry the scroll extent allows for
};

} // namespace win32
