#pragma once
// The snow's layer surface on one output: stretched over all of it, never given the
// keyboard, with an empty input region so that every click goes to what lies beneath;
// in the overlay layer when on top, else in the bottom layer, above the wallpaper and
// below the windows. The compositor sizes it; its buffers follow the output's scale.
#include "linux/wayland/shm_buffer.h"

#include <cstdint>
#include <functional>

struct wl_surface;
struct zwlr_layer_surface_v1;

namespace linux::wayland {

class Globals;
class Output;

class OutputLayer {
  public:
    OutputLayer(const Globals& globals, const Output& output, bool onTop);
    ~OutputLayer();
    OutputLayer(const OutputLayer&) = delete;
    OutputLayer& operator=(const OutputLayer&) = delete;

    void setOnTop(bool onTop);
    // The buffer's size in pixels: the surface's size at the output's scale; 0 by 0
    // until the compositor has sized the surface.
    int bufferWidth() const;
    int bufferHeight() const;
    // Lets `paint` fill a buffer the compositor does not hold and shows it, damaged
    // whole. Nothing while both buffers are held or the surface is not sized yet.
    void showFrame(const std::function<void(snow::PixelGrid)>& paint);
    bool closed() const { return closed_; } // the compositor will not show it again
    std::function<void()> configured;       // sized, or sized anew

  private:
    static void configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                          std::uint32_t width, std::uint32_t height);
    static void close(void* data, zwlr_layer_surface_v1* layer);
    void letClicksThrough();
    void fillOutput();

    const Globals& globals_;
    const Output& output_;
    wl_surface* surface_;
    zwlr_layer_surface_v1* layer_ = nullptr;
    BufferPair buffers_;
    int width_ = 0, height_ = 0; // in the output's logical pixels
    bool closed_ = false;
};

} // namespace linux::wayland
