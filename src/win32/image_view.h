#pragma once
// The preview image: a child window that shows its model's picture stretched to its
// own size, or nothing.
#include "ui/controls.h"
#include "win32/native_window.h"

namespace win32 {

class ImageView : public NativeWindow {
  public:
    ImageView(ui::ImageBox& model, HWND parent, int id, RECT bounds);
    void refresh() { InvalidateRect(hwnd(), nullptr, TRUE); }

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void paint(HDC dc);
    ui::ImageBox& model_;
};

// Draws 32-bit top-down pixels 0xAARRGGBB stretched into `target`.
void stretchPicture(HDC dc, const ui::Picture& picture, const RECT& target);

} // namespace win32
