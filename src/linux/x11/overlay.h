// The X11 side of a window laid over the whole screen that the window manager keeps in
// its order, but that takes no click and shows in no taskbar or pager. Each does nothing
// when Qt is not on an X display.
#pragma once

namespace linux::x11 {

// An empty input shape on the native window: every click goes to what lies beneath it.
void passClicksThrough(unsigned long window);

// Whether an event Qt received from the X server (an xcb_generic_event_t) tells that a
// window was mapped.
bool isMapNotify(const void* xcbEvent);

// For a window about to be mapped: no taskbar or pager entry, and above the other windows
// or among them, in the state the window manager reads when it maps the window. The
// states others asked for stay.
void prepareOverlayState(unsigned long window, bool above);

// For a mapped window: asks the window manager to keep it above the others, or not.
void requestAbove(unsigned long window, bool above);

} // namespace linux::x11
