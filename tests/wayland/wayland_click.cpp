// Left clicks for a headless compositor with no pointer of its own, through a virtual
// pointer made at start. Reads one request a line, answers "clicked" once the compositor
// handled it (or "failed: " and the request); 2 when there is no virtual pointer.
//   click X Y WIDTH HEIGHT    a click at (X, Y) of a layout WIDTH by HEIGHT pixels
//   caught X Y WIDTH HEIGHT   the same, caught by a transparent overlay surface whose input
//                             region is whole: the control that shows a click caught
#include "linux/wayland/connection.h"
#include "linux/wayland/globals.h"
#include "linux/wayland/layer_shell.h"
#include "linux/wayland/shm_buffer.h"
#include "linux/wayland/virtual_pointer.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <linux/input-event-codes.h>
#include <memory>
#include <sstream>
#include <string>
#include <wayland-client.h>

namespace {

using linux::wayland::Globals;

// The seat and the virtual pointers, which the program's own globals leave unbound.
struct Offers {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t) {
    auto& offers = *static_cast<Offers*>(data);
    const std::string offered = interface;
    if (offered == wl_seat_interface.name && !offers.seat)
        offers.seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (offered == zwlr_virtual_pointer_manager_v1_interface.name && !offers.pointers)
        offers.pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void withdrawn(void*, wl_registry*, std::uint32_t) {}

struct Catcher {
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    int width = 0, height = 0;
    std::unique_ptr<linux::wayland::ShmBuffer> buffer;
    ~Catcher() {
        buffer.reset();
        if (layer) zwlr_layer_surface_v1_destroy(layer);
        if (surface) wl_surface_destroy(surface);
    }
};

void configured(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                std::uint32_t height) {
    auto& catcher = *static_cast<Catcher*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    catcher.width = int(width);
    catcher.height = int(height);
}

void closed(void*, zwlr_layer_surface_v1*) {}

// A surface over the whole first output, all transparent, taking every click on it.
bool catchClicks(linux::wayland::Connection& connection, const Globals& offers, Catcher& catcher) {
    static const zwlr_layer_surface_v1_listener listener = {&configured, &closed};
    catcher.surface = wl_compositor_create_surface(offers.compositor);
    catcher.layer =
        zwlr_layer_shell_v1_get_layer_surface(offers.layerShell, catcher.surface, nullptr,
                                              ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "click-catcher");
    zwlr_layer_surface_v1_add_listener(catcher.layer, &listener, &catcher);
    zwlr_layer_surface_v1_set_anchor(catcher.layer, 15);
    zwlr_layer_surface_v1_set_exclusive_zone(catcher.layer, -1);
    wl_surface_commit(catcher.surface);
    connection.roundtrip();
    catcher.buffer = linux::wayland::ShmBuffer::make(offers.shm, catcher.width, catcher.height);
    if (!catcher.buffer) return false;
    wl_surface_attach(catcher.surface, catcher.buffer->buffer(), 0, 0);
    wl_surface_damage(catcher.surface, 0, 0, catcher.width, catcher.height);
    wl_surface_commit(catcher.surface);
    connection.roundtrip();
    return true;
}

std::uint32_t milliseconds() {
    using namespace std::chrono;
    return std::uint32_t(
        duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void click(zwlr_virtual_pointer_v1* pointer, const unsigned (&at)[4]) {
    zwlr_virtual_pointer_v1_motion_absolute(pointer, milliseconds(), at[0], at[1], at[2], at[3]);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, milliseconds(), BTN_LEFT,
                                   WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, milliseconds(), BTN_LEFT,
                                   WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer);
}

int fail(const char* why) {
    std::fprintf(stderr, "wayland-click: %s\n", why);
    return 2;
}

// One request: "click" or "caught", then X Y WIDTH HEIGHT. False when it is neither.
bool clickAsked(linux::wayland::Connection& connection, const Globals& offers,
                zwlr_virtual_pointer_v1* pointer, const std::string& line) {
    std::istringstream words(line);
    std::string how;
    unsigned at[4];
    if (!(words >> how >> at[0] >> at[1] >> at[2] >> at[3])) return false;
    if (how != "click" && how != "caught") return false;
    Catcher catcher;
    if (how == "caught" && !(offers.layerShell && catchClicks(connection, offers, catcher)))
        return false;
    click(pointer, at);
    connection.roundtrip();
    return true;
}

} // namespace

int main() {
    auto connection = linux::wayland::Connection::open();
    if (!connection) return fail("no compositor at WAYLAND_DISPLAY");
    Globals globals(connection->display());
    Offers offers;
    static const wl_registry_listener registryListener = {&announced, &withdrawn};
    wl_registry_add_listener(wl_display_get_registry(connection->display()), &registryListener,
                             &offers);
    connection->roundtrip();
    if (!offers.pointers || !offers.seat) return fail("the compositor offers no virtual pointer");
    auto* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(offers.pointers, offers.seat);
    connection->roundtrip();
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        const bool clicked = clickAsked(*connection, globals, pointer, line);
        connection->roundtrip(); // a surface that caught the click is gone
        if (!connection->failure().empty()) return fail(connection->failure().c_str());
        std::cout << (clicked ? "clicked" : "failed: " + line) << std::endl;
    }
    return 0;
}
