#include "linux/pixel_memory.h"

#include "ui/picture.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace linux {

namespace {

constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;
// Smaller blocks (a preview, a small picture) gain nothing from huge pages.
constexpr std::size_t LARGE = std::size_t(8) << 20;

std::size_t wholeHugePages(std::size_t bytes) {
    return (bytes + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
}

void* allocate(std::size_t bytes) {
    if (bytes < LARGE) return ::operator new(bytes);
    const std::size_t rounded = wholeHugePages(bytes);
    void* block = std::aligned_alloc(HUGE_PAGE, rounded);
    if (!block) throw std::bad_alloc();
    madvise(block, rounded, MADV_HUGEPAGE); // a hint; without it the pages are small
    return block;
}

void release(void* block, std::size_t bytes) {
    if (bytes < LARGE) return ::operator delete(block);
    std::free(block); // a block this large is unmapped at once
}

} // namespace

void putPicturesOnHugePages() {
    ui::usePixelMemory({allocate, release});
}

} // namespace linux
