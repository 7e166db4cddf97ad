#pragma once
// Reading a window property that holds 32-bit X ids (atoms, pixmaps, windows). Included
// after Qt's headers: Xlib's macros clash with names in them.
#include <X11/Xlib.h>

#include <vector>

namespace linux::x11 {

// The ids the property holds when it has `type` and 32-bit items, at most `most` of them;
// none otherwise.
std::vector<unsigned long> propertyIds(Display* display, Window window, Atom property, Atom type,
                                       long most);

} // namespace linux::x11
