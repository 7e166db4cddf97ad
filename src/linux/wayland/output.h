#pragma once
// One output of the compositor, followed for the scale it shows surfaces at.
#include <cstdint>
#include <functional>

struct wl_output;

namespace linux::wayland {

class Output {
  public:
    explicit Output(wl_output* output);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    wl_output* proxy() const { return output_; }
    int scale() const { return scale_; }
    std::function<void()> changed; // the output's description is complete, or changed

  private:
    static void scaled(void* data, wl_output* output, std::int32_t factor);
    static void done(void* data, wl_output* output);

    wl_output* output_;
    int scale_ = 1;
    int announcedScale_ = 1; // takes effect at the next "done"
};

} // namespace linux::wayland
