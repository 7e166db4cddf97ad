#include "linux/wayland/globals.h"

#include "linux/wayland/layer_shell.h"

#include <algorithm>
#include <wayland-client.h>

namespace linux::wayland {
namespace {

// The newest versions this program speaks: surface damage in buffer pixels (4), outputs
// that report their scale (2), layer surfaces that change layer (2, 3 at most).
constexpr std::uint32_t COMPOSITOR_VERSION = 4;
constexpr std::uint32_t OUTPUT_VERSION = 2;
constexpr std::uint32_t LAYER_SHELL_VERSION = 3;

template <typename Proxy>
Proxy* bound(wl_registry* registry, std::uint32_t name, const wl_interface& interface,
             std::uint32_t version) {
    return static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, version));
}

} // namespace

Globals::Globals(wl_display* display) : registry_(wl_display_get_registry(display)) {
    static const wl_registry_listener listener = {&Globals::announced, &Globals::withdrawn};
    wl_registry_add_listener(registry_, &listener, this);
}

Globals::~Globals() {
    // The shell's destroy request came with version 3; before it the proxy just goes.
    if (layerShell && layerShellVersion >= 3) zwlr_layer_shell_v1_destroy(layerShell);
    if (layerShell && layerShellVersion < 3)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(layerShell));
    if (shm) wl_shm_destroy(shm);
    if (compositor) wl_compositor_destroy(compositor);
    wl_registry_destroy(registry_);
}

void Globals::announced(void* data, wl_registry*, std::uint32_t name, const char* interface,
                        std::uint32_t version) {
    auto* self = static_cast<Globals*>(data);
    self->offered.push_back(interface);
    self->bind(name, interface, version);
}

void Globals::withdrawn(void* data, wl_registry*, std::uint32_t name) {
    auto* self = static_cast<Globals*>(data);
    if (self->outputRemoved) self->outputRemoved(name);
}

void Globals::bind(std::uint32_t name, const std::string& interface, std::uint32_t version) {
    if (interface == wl_compositor_interface.name && !compositor) {
        compositorVersion = std::min(version, COMPOSITOR_VERSION);
        compositor =
            bound<wl_compositor>(registry_, name, wl_compositor_interface, compositorVersion);
    } else if (interface == wl_shm_interface.name && !shm) {
        shm = bound<wl_shm>(registry_, name, wl_shm_interface, 1);
    } else if (interface == zwlr_layer_shell_v1_interface.name && !layerShell) {
        layerShellVersion = std::min(version, LAYER_SHELL_VERSION);
        layerShell = bound<zwlr_layer_shell_v1>(registry_, name, zwlr_layer_shell_v1_interface,
                                                layerShellVersion);
    } else if (interface == wl_output_interface.name && outputAdded) {
        outputAdded(name, bound<wl_output>(registry_, name, wl_output_interface,
                                           std::min(version, OUTPUT_VERSION)));
    }
}

} // namespace linux::wayland
