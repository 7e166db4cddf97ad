#pragma once
// What the compositor offers, as its registry announces it: the name of every interface
// offered, the ones the snow needs bound, and each output as it comes and goes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_compositor;
struct wl_shm;
struct wl_output;
struct zwlr_layer_shell_v1;

namespace linux::wayland {

class Globals {
  public:
    // Listens from now on; the announcements come as the connection's events are read.
    explicit Globals(wl_display* display);
    ~Globals();
    Globals(const Globals&) = delete;
    Globals& operator=(const Globals&) = delete;

    std::vector<std::string> offered; // every interface announced, in order
    wl_compositor* compositor = nullptr;
    std::uint32_t compositorVersion = 0;
    wl_shm* shm = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    std::uint32_t layerShellVersion = 0;
    // An output announced, bound, with its registry name; and one withdrawn.
    std::function<void(std::uint32_t name, wl_output* output)> outputAdded;
    std::function<void(std::uint32_t name)> outputRemoved;

  private:
    static void announced(void* data, wl_registry* registry, std::uint32_t name,
                          const char* interface, std::uint32_t version);
    static void withdrawn(void* data, wl_registry* registry, std::uint32_t name);
    void bind(std::uint32_t name, const std::string& interface, std::uint32_t version);

    wl_registry* registry_;
};

} // namespace linux::wayland
