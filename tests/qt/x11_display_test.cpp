// The X connection and error trap every Xlib user of the program shares: a failed request
// is noted once while a trap lives, and Xlib's handler before it is back when it goes.
#include <gtest/gtest.h>

// Xlib last: its macros clash with names in other headers.
#include "linux/x11/display.h"

namespace {

using linux::x11::ErrorTrap;

int handlerBefore(Display*, XErrorEvent*) {
    return 0;
}

// The handler Xlib calls now, read by setting another and putting it back at once.
XErrorHandler currentHandler() {
    const XErrorHandler current = XSetErrorHandler(handlerBefore);
    XSetErrorHandler(current);
    return current;
}

// What the X server's error reply makes Xlib do: call the handler in force.
void failRequest() {
    XErrorEvent event{};
    event.error_code = BadWindow;
    currentHandler()(nullptr, &event);
}

// A failure is told once, to the trap that lived when it came, never to a later trap; and
// each trap puts back the handler it found.
TEST(X11ErrorTrap, NotesAFailedRequestOnceAndPutsBackTheHandlerItFound) {
    const XErrorHandler xlibs = XSetErrorHandler(handlerBefore);
    {
        ErrorTrap earlier;
        failRequest();
    }
    EXPECT_EQ(currentHandler(), handlerBefore);
    {
        ErrorTrap trap;
        const XErrorHandler trapping = currentHandler();
        { ErrorTrap inner; }
        EXPECT_EQ(currentHandler(), trapping) << "the inner trap gives the outer one back";
        EXPECT_FALSE(trap.takeFailure()) << "nothing failed while it lived";
        failRequest();
        const bool first = trap.takeFailure();
        EXPECT_EQ(std::pair(first, trap.takeFailure()), std::pair(true, false)) << "told once";
    }
    EXPECT_EQ(currentHandler(), handlerBefore);
    XSetErrorHandler(xlibs);
}

TEST(X11Connection, ToADisplayThatIsNotThereHasNoDisplay) {
    EXPECT_EQ(linux::x11::Connection(":65000").display(), nullptr);
}

} // namespace
