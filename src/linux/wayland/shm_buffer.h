#pragma once
// One ARGB8888 picture that the compositor reads from memory shared through a memfd. The
// program writes it only while the compositor does not hold it: from the moment it is
// attached to a surface until the compositor releases it, it is busy.
#include "snow/disc.h"

#include <cstddef>
#include <memory>

struct wl_shm;
struct wl_buffer;

namespace linux::wayland {

class ShmBuffer {
  public:
    // Nothing when the memory cannot be had.
    static std::unique_ptr<ShmBuffer> make(wl_shm* shm, int width, int height);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    snow::PixelGrid pixels() const; // premultiplied ARGB, rows packed
    wl_buffer* buffer() const { return buffer_; }
    bool busy() const { return busy_; }
    void markAttached() { busy_ = true; }

  private:
    ShmBuffer(int width, int height, void* memory);
    static void released(void* data, wl_buffer* buffer);

    int width_, height_;
    void* memory_;
    wl_buffer* buffer_ = nullptr;
    bool busy_ = false;
};

// Two buffers for one surface, so that a frame is drawn while the compositor still shows
// the one before.
class BufferPair {
  public:
    // A buffer of that size that the compositor does not hold, or none while it holds
    // both (or memory ran out).
    ShmBuffer* free(wl_shm* shm, int width, int height);

  private:
    std::unique_ptr<ShmBuffer> buffers_[2];
};

} // namespace linux::wayland
