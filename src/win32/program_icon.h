#pragma once
// The program's own icon, at the size the place that shows it needs.
#include <windows.h>

namespace win32 {

HICON programIcon(bool small);

} // namespace win32
