#include "linux/wayland/output.h"

#include <wayland-client.h>

namespace linux::wayland {
namespace {

void ignoreGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t, const char*, const char*, std::int32_t) {}
void ignoreMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}
void ignoreText(void*, wl_output*, const char*) {}

} // namespace

Output::Output(wl_output* output) : output_(output) {
    static const wl_output_listener listener = {
        .geometry = ignoreGeometry,
        .mode = ignoreMode,
        .done = &Output::done,
        .scale = &Output::scaled,
        .name = ignoreText,
        .description = ignoreText,
    };
    wl_output_add_listener(output_, &listener, this);
}

Output::~Output() {
    wl_output_destroy(output_);
}

void Output::scaled(void* data, wl_output*, std::int32_t factor) {
    static_cast<Output*>(data)->announcedScale_ = factor > 0 ? factor : 1;
}

void Output::done(void* data, wl_output*) {
    auto* self = static_cast<Output*>(data);
    self->scale_ = self->announcedScale_;
    if (self->changed) self->changed();
}

} // namespace linux::wayland
