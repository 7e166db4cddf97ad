#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace ui {

// Leaves the elements a resize adds unset: a decoder writes every pixel anyway, and
// clearing a photograph's hundred megabytes first costs about a seventh as much as the
// decoding.
template <typename T> struct UnsetOnResize : std::allocator<T> {
    UnsetOnResize() = default;
    template <typename U> UnsetOnResize(const UnsetOnResize<U>&) noexcept {}
    template <typename U> void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
    template <typename U, typename... Args> void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
};

// A decoded picture: 32-bit pixels 0xAARRGGBB, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t, UnsetOnResize<std::uint32_t>> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

using PicturePtr = std::shared_ptr<const Picture>;

} // namespace ui
