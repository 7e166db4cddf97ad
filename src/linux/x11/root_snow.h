#pragma once
// Snow for an X display without a compositor: there a translucent window shows as an
// opaque one, so the flakes are drawn into the root window itself, beneath every other
// window, and the places they leave get the desktop's own background back.
#include <cstdint>
#include <memory>
#include <vector>

namespace linux::x11 {

// A row's run of flake pixels.
struct Run {
    int x, y, width;
    bool operator==(const Run&) const = default;
};

// The runs of pixels that are not black, row by row.
std::vector<Run> flakeRuns(const std::uint32_t* pixels, int width, int height);

class Connection;

// Asks the X display, over a connection of its own, whether a compositor runs on it.
class CompositorWatch {
  public:
    CompositorWatch();
    ~CompositorWatch();
    // Whether one runs now; false without one (or without X).
    bool running() const;

  private:
    std::unique_ptr<Connection> connection_;
};

class RootSnow {
  public:
    // Nothing when there is no X display, or when a compositor runs on it.
    static std::unique_ptr<RootSnow> openWithoutCompositor();
    ~RootSnow();
    void show(const std::uint32_t* pixels, int width, int height);
    void clear(); // the background back wherever a flake was

  private:
    struct Drawing;
    explicit RootSnow(std::unique_ptr<Drawing> x);
    void eraseShown(); // the background back where the last frame's flakes are
    std::unique_ptr<Drawing> x_;
    std::vector<Run> shown_;
};

} // namespace linux::x11
