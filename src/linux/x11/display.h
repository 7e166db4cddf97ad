#pragma once
// The program's X connections and the trap for their failed requests. Included after
// Qt's headers: Xlib's macros clash with names in them.
#include <X11/Xlib.h>

#include <string>

namespace linux::x11 {

// A connection of its own to an X display, closed when it goes.
class Connection {
  public:
    // To the display `name`; to $DISPLAY when it is empty. Check `open()`.
    explicit Connection(const std::string& name = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool open() const { return display_ != nullptr; }
    Display* display() const { return display_; }

  private:
    Display* display_;
};

// While it lives, a request that fails (a window gone, a pixmap another client freed,
// memory the server may not share) is noted instead of ending the program, as Xlib's
// own handler would. Traps nest: each puts back the handler it found.
class ErrorTrap {
  public:
    ErrorTrap();
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Sends what `display` has queued and, with `wait`, waits until the server has
    // handled it all. False when a request failed since the last call.
    bool send(Display* display, bool wait);
    // True when a failed request was noted since the last call.
    bool takeFailure();

  private:
    XErrorHandler previous_;
};

} // namespace linux::x11
