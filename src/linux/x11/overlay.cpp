#include "linux/x11/overlay.h"

#include <QGuiApplication>

#include <algorithm>
#include <vector>

// Xlib last: its macros clash with names in Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include "linux/x11/property.h"

namespace linux::x11 {

namespace {

// Qt's own connection, so that these requests keep their order with Qt's own on the window.
Display* qtDisplay() {
#if QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
#else
    return nullptr;
#endif
}

Atom atom(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

void include(std::vector<Atom>& atoms, Atom state, bool wanted) {
    std::erase(atoms, state);
    if (wanted) atoms.push_back(state);
}

} // namespace

void passClicksThrough(unsigned long window) {
    Display* display = qtDisplay();
    int eventBase = 0, errorBase = 0;
    if (!display || !window || !XShapeQueryExtension(display, &eventBase, &errorBase)) return;
    XShapeCombineRectangles(display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    XFlush(display);
}

bool isMapNotify(const void* xcbEvent) {
    const auto code = *static_cast<const unsigned char*>(xcbEvent) & 0x7F; // less the sent bit
    return code == MapNotify;
}

void prepareOverlayState(unsigned long window, bool above) {
    Display* display = qtDisplay();
    if (!display || !window) return;
    const Atom property = atom(display, "_NET_WM_STATE");
    std::vector<Atom> states = propertyIds(display, window, property, XA_ATOM, 1024);
    include(states, atom(display, "_NET_WM_STATE_SKIP_TASKBAR"), true);
    include(states, atom(display, "_NET_WM_STATE_SKIP_PAGER"), true);
    include(states, atom(display, "_NET_WM_STATE_ABOVE"), above);
    XChangeProperty(display, window, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
    XFlush(display);
}

void requestAbove(unsigned long window, bool above) {
    Display* display = qtDisplay();
    if (!display || !window) return;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = atom(display, "_NET_WM_STATE");
    message.xclient.format = 32;
    message.xclient.data.l[0] = above ? 1 : 0; // add or remove
    message.xclient.data.l[1] = long(atom(display, "_NET_WM_STATE_ABOVE"));
    message.xclient.data.l[3] = 1; // from an application
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display);
}

} // namespace linux::x11
