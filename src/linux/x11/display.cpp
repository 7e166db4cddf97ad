#include "linux/x11/display.h"

namespace linux::x11 {

namespace {

// Xlib's handler is one for the whole process, as is what it noted.
bool requestFailed = false;

int noteFailure(Display*, XErrorEvent*) {
    requestFailed = true;
    return 0;
}

} // namespace

Connection::Connection(const std::string& name)
    : display_(XOpenDisplay(name.empty() ? nullptr : name.c_str())) {}

Connection::~Connection() {
    if (display_) XCloseDisplay(display_);
}

ErrorTrap::ErrorTrap() : previous_(XSetErrorHandler(noteFailure)) {
    requestFailed = false;
}

ErrorTrap::~ErrorTrap() {
    XSetErrorHandler(previous_);
}

bool ErrorTrap::send(Display* display, bool wait) {
    wait ? XSync(display, False) : XFlush(display);
    return !takeFailure();
}

bool ErrorTrap::takeFailure() {
    const bool failed = requestFailed;
    requestFailed = false;
    return failed;
}

} // namespace linux::x11
