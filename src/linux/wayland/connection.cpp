#include "linux/wayland/connection.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace linux::wayland {
namespace {

// How long one flush waits for a full socket to take more before leaving the rest
// queued for the next flush.
constexpr int SOCKET_WAIT_MS = 500;

// Ready, or hung up: a read or write then tells the connection what went wrong.
bool ready(int fd, short events, int timeoutMs) {
    pollfd watched{fd, events, 0};
    return poll(&watched, 1, timeoutMs) > 0;
}

std::string protocolError(wl_display* display) {
    const wl_interface* interface = nullptr;
    std::uint32_t object = 0;
    std::uint32_t code = wl_display_get_protocol_error(display, &interface, &object);
    return std::string("protocol error ") + std::to_string(code) + " on " +
           (interface ? interface->name : "an unknown object");
}

} // namespace

std::unique_ptr<Connection> Connection::open() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    return display ? std::unique_ptr<Connection>(new Connection(display)) : nullptr;
}

Connection::~Connection() {
    wl_display_disconnect(display_);
}

int Connection::fd() const {
    return wl_display_get_fd(display_);
}

void Connection::readEvents() {
    while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0) return;
    if (ready(fd(), POLLIN, 0))
        wl_display_read_events(display_);
    else
        wl_display_cancel_read(display_);
    wl_display_dispatch_pending(display_);
}

void Connection::flush() {
    while (wl_display_flush(display_) < 0 && errno == EAGAIN)
        if (!ready(fd(), POLLOUT, SOCKET_WAIT_MS)) return;
}

void Connection::roundtrip() {
    wl_display_roundtrip(display_);
}

std::string Connection::failure() const {
    const int code = wl_display_get_error(display_);
    if (code == 0) return "";
    return code == EPROTO ? protocolError(display_) : std::strerror(code);
}

} // namespace linux::wayland
