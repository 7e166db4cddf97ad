// Frames shown in a 32-bit window of an X display straight from memory the X server
// shares: each frame is written where the server reads it, with no copy on the way.
#pragma once

#include "snow/disc.h"

#include <memory>

namespace linux::x11 {

class ShmFrames {
  public:
    // Nothing without an X display that offers shared memory and a 32-bit ARGB visual.
    static std::unique_ptr<ShmFrames> open();
    ~ShmFrames();
    // The next frame's pixels, width x height in premultiplied ARGB, handed out once the
    // server has read the last frame; no pixels when no memory could be shared.
    snow::PixelGrid frame(int width, int height);
    // Shows the frame at the origin of `window`, a 32-bit window on this display.
    void put(unsigned long window);

  private:
    struct Drawing;
    struct Segment;
    explicit ShmFrames(std::unique_ptr<Drawing> x);
    std::unique_ptr<Segment> share(int width, int height);
    std::unique_ptr<Drawing> x_;
    std::unique_ptr<Segment> segment_;
};

} // namespace linux::x11
