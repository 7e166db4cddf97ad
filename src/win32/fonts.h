#pragma once
// Fonts and the screen's scale for laying out the windows.
#include <windows.h>

namespace win32 {

// Pixels for a length laid out at 96 dots per inch.
int scaled(int length96);
// The system's message font, shared by the windows' controls.
HFONT messageFont();
// A named face at a size in points; kept for the life of the process.
HFONT namedFont(const wchar_t* face, int points, bool bold = false);

} // namespace win32
