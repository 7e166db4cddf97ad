#pragma once
// Fonts and the screen's scale for laying out the windows.
#include <windows.h>

#include <string>

namespace win32 {

// Pixels for a length laid out at 96 dots per inch.
int scaled(int length96);
// The system's message font, shared by the windows' controls.
HFONT messageFont();
// A named face at a size in points; kept for the life of the process.
HFONT namedFont(const wchar_t* face, int points, bool bold = false);
// The height of a line of text in a font, and the width of a text in it, in pixels.
int lineHeight(HFONT font);
int textWidth(HFONT font, const std::wstring& text);

} // namespace win32
