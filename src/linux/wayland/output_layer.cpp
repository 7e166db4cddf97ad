#include "linux/wayland/output_layer.h"

#include "linux/wayland/globals.h"
#include "linux/wayland/layer_shell.h"
#include "linux/wayland/output.h"

#include <climits>
#include <wayland-client.h>

namespace linux::wayland {
namespace {

constexpr std::uint32_t ALL_EDGES =
    ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

std::uint32_t layerFor(bool onTop) {
    return onTop ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
}

} // namespace

OutputLayer::OutputLayer(const Globals& globals, const Output& output, bool onTop)
    : globals_(globals), output_(output),
      surface_(wl_compositor_create_surface(globals.compositor)) {
    letClicksThrough();
    layer_ = zwlr_layer_shell_v1_get_layer_surface(globals.layerShell, surface_, output.proxy(),
                                                   layerFor(onTop), "snow");
    static const zwlr_layer_surface_v1_listener listener = {
        .configure = &OutputLayer::configure,
        .closed = &OutputLayer::close,
    };
    zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
    fillOutput();
    wl_surface_commit(surface_); // no buffer: the compositor answers with a size
}

OutputLayer::~OutputLayer() {
    zwlr_layer_surface_v1_destroy(layer_);
    wl_surface_destroy(surface_);
}

// An empty input region: the pointer finds the windows beneath, flakes or not.
void OutputLayer::letClicksThrough() {
    wl_region* nowhere = wl_compositor_create_region(globals_.compositor);
    wl_surface_set_input_region(surface_, nowhere);
    wl_region_destroy(nowhere);
}

// Over the whole output, panels included, never focused, its size the compositor's.
void OutputLayer::fillOutput() {
    zwlr_layer_surface_v1_set_anchor(layer_, ALL_EDGES);
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    zwlr_layer_surface_v1_set_size(layer_, 0, 0);
}

// Committed at once: the snow may be still, with no frame to carry the change.
void OutputLayer::setOnTop(bool onTop) {
    zwlr_layer_surface_v1_set_layer(layer_, layerFor(onTop));
    wl_surface_commit(surface_);
}

int OutputLayer::bufferWidth() const {
    return width_ * output_.scale();
}

int OutputLayer::bufferHeight() const {
    return height_ * output_.scale();
}

void OutputLayer::configure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                            std::uint32_t width, std::uint32_t height) {
    auto* self = static_cast<OutputLayer*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    self->width_ = int(width);
    self->height_ = int(height);
    if (self->configured) self->configured();
}

void OutputLayer::close(void* data, zwlr_layer_surface_v1*) {
    static_cast<OutputLayer*>(data)->closed_ = true;
}

void OutputLayer::showFrame(const std::function<void(snow::PixelGrid)>& paint) {
    if (closed_ || bufferWidth() <= 0 || bufferHeight() <= 0) return;
    ShmBuffer* buffer = buffers_.free(globals_.shm, bufferWidth(), bufferHeight());
    if (!buffer) return;
    paint(buffer->pixels());
    if (globals_.compositorVersion >= 3) wl_surface_set_buffer_scale(surface_, output_.scale());
    wl_surface_attach(surface_, buffer->buffer(), 0, 0);
    // Whole-surface damage: one rectangle, however many flakes moved.
    if (globals_.compositorVersion >= 4)
        wl_surface_damage_buffer(surface_, 0, 0, INT32_MAX, INT32_MAX);
    else
        wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(surface_);
    buffer->markAttached();
}

} // namespace linux::wayland
