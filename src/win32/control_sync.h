#pragma once
// Bringing a real control up to date with its model, touching it only where it differs.
#include "ui/controls.h"

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

std::string windowText(HWND window);
void syncText(HWND control, const std::string& text);
void syncVisibleEnabled(HWND control, const ui::Control& model);

// The entries a combo box's list shows, kept beside it so that appending adds only the
// new entries.
class ListMirror {
  public:
    void sync(HWND control, const std::vector<std::string>& items);

  private:
    void rebuild(HWND control, const std::vector<std::string>& items);
    std::vector<std::string> shown_;
};

} // namespace win32
