#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace ui {

// Where picture rows get their memory. The standard allocator unless the front end hands
// over, at start, a way better suited to blocks of tens of megabytes that come and go at
// every change. `allocate` throws std::bad_alloc when it has nothing to give.
struct PixelMemory {
    void* (*allocate)(std::size_t bytes);
    void (*release)(void* block, std::size_t bytes);
};
void usePixelMemory(PixelMemory memory);
void* allocatePixels(std::size_t bytes);
void releasePixels(void* block, std::size_t bytes);

// Picture rows from the pixel memory, left unset when a resize adds them: a decoder writes
// every pixel anyway, and clearing a photograph's tens of megabytes first costs about a
// seventh as much as the decoding.
template <typename T> struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <typename U> PixelAllocator(const PixelAllocator<U>&) noexcept {}
    T* allocate(std::size_t count) { return static_cast<T*>(allocatePixels(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept {
        releasePixels(block, count * sizeof(T));
    }
    template <typename U> void construct(U* at) noexcept { ::new (static_cast<void*>(at)) U; }
    template <typename U, typename... Args> void construct(U* at, Args&&... args) {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
    template <typename U> bool operator==(const PixelAllocator<U>&) const noexcept { return true; }
};

// Where a decoder puts a picture's rows once it knows the size: memory for
// Picture::strideOf(width) * height bytes that outlives the picture, or null for none.
using PixelPlace = std::function<std::uint8_t*(int width, int height)>;

// A decoded picture, held as the pixel array of a 24-bit Windows bitmap: blue, green and
// red bytes for each pixel, rows from the bottom up, each row padded with zeros to a
// multiple of 4 bytes. KALO.bmp is these bytes behind its headers, so a decoder that
// writes this layout leaves nothing to convert.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t, PixelAllocator<std::uint8_t>> bytes; // its own rows
    // Rows in memory the picture does not own (a file's pages), used instead of `bytes`;
    // whoever lends them keeps them until the picture is gone.
    std::uint8_t* borrowed = nullptr;

    // A picture of that size, its pixels unset for a decoder to fill and its padding
    // cleared; empty when a side is not positive.
    static Picture sized(int width, int height);
    // The same over `rows` (stride() * height bytes), which it borrows.
    static Picture over(int width, int height, std::uint8_t* rows);
    // Over the rows `place` gives for that size, else with rows of its own.
    static Picture placed(const PixelPlace& place, int width, int height);
    static std::size_t strideOf(int width); // bytes of one row, padding included

    std::size_t stride() const { return strideOf(width); }
    std::uint8_t* data() { return borrowed ? borrowed : bytes.data(); }
    const std::uint8_t* data() const { return borrowed ? borrowed : bytes.data(); }
    // A positive size and every byte of its rows.
    bool whole() const;
    // The row `y` places from the top.
    std::uint8_t* row(int y) { return data() + std::size_t(height - 1 - y) * stride(); }
    const std::uint8_t* row(int y) const { return data() + std::size_t(height - 1 - y) * stride(); }
    std::uint32_t at(int x, int y) const; // 0xFFRRGGBB
    void set(int x, int y, std::uint32_t rgb);
};

using PicturePtr = std::shared_ptr<const Picture>;

} // namespace ui
