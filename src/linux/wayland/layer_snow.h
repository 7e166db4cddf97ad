#pragma once
// The snow over a Wayland desktop that offers layer surfaces: one layer surface on each
// output, on a connection of the program's own. The caller paints the frames, reads
// the connection's events when its descriptor is readable and flushes it before
// waiting for anything else.
#include "snow/disc.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct wl_output;

namespace linux::wayland {

class Connection;
class Globals;
class Output;
class OutputLayer;

class LayerSnow {
  public:
    // Connected to the compositor WAYLAND_DISPLAY names, its offers known; nothing
    // where none answers.
    static std::unique_ptr<LayerSnow> open();
    ~LayerSnow();
    LayerSnow(const LayerSnow&) = delete;
    LayerSnow& operator=(const LayerSnow&) = delete;

    const std::vector<std::string>& offered() const; // the interfaces the compositor offers
    int fd() const;
    void readEvents();
    void flush();

    void show(bool onTop); // a surface on every output, present and to come
    void hide();           // no surface anywhere
    void setOnTop(bool onTop);
    // The largest surface's size in buffer pixels; 0 by 0 while none is sized.
    struct Size {
        int width = 0, height = 0;
    };
    Size size() const;
    // A frame on every sized surface, each painted by `paint` in its own buffer.
    void present(const std::function<void(snow::PixelGrid)>& paint);

    // A surface was sized, or an output's scale changed: the size may differ, and a
    // frame is wanted.
    std::function<void()> configured;
    std::function<void(const std::string& why)> failed; // the connection broke; once

  private:
    explicit LayerSnow(std::unique_ptr<Connection> connection);
    void addOutput(std::uint32_t name, wl_output* output);
    void removeOutput(std::uint32_t name);
    void cover(std::uint32_t name);
    void dropClosedLayers();
    void checkConnection();

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Globals> globals_;
    std::map<std::uint32_t, std::unique_ptr<Output>> outputs_;     // by registry name
    std::map<std::uint32_t, std::unique_ptr<OutputLayer>> layers_; // by output
    bool shown_ = false, onTop_ = false, failureReported_ = false;
};

} // namespace linux::wayland
