#pragma once
// A private connection to the Wayland compositor that WAYLAND_DISPLAY names, beside
// whatever connection the widgets use. Its requests are sent in small batches, waiting
// for the socket while it is full, so that libwayland's buffer never overflows.
#include <memory>
#include <string>

struct wl_display;

namespace linux::wayland {

class Connection {
  public:
    // Nothing when WAYLAND_DISPLAY is unset or no compositor answers there.
    static std::unique_ptr<Connection> open();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    wl_display* display() const { return display_; }
    int fd() const;
    // Reads what the compositor has sent, if anything, and runs its handlers.
    void readEvents();
    // Sends what is queued; while the socket is full, waits a bounded time for room.
    void flush();
    // Sends what is queued and handles everything the compositor answers to it.
    void roundtrip();
    // Empty while the connection is sound; else why it failed.
    std::string failure() const;

  private:
    explicit Connection(wl_display* display) : display_(display) {}
    wl_display* display_;
};

} // namespace linux::wayland
