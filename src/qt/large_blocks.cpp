// Memory for decoded pictures. A wallpaper change decodes a picture of up to hundreds of
// megabytes while the last one is still shown; handing it fresh pages from the kernel
// (each faulted in and zeroed) costs more than the decoding. So a block of tens of
// megabytes is laid on huge pages where the kernel offers them, and the last such block
// freed is kept as a spare for the next picture, its pages marked free for the kernel to
// take back under memory pressure. Smaller blocks go to malloc as before.
#include <malloc.h>
#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

namespace {

constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;
// glibc maps blocks this large on their own and unmaps them when freed.
constexpr std::size_t LARGE = std::size_t(32) << 20;

std::mutex spareLock;
void* spare = nullptr;
std::size_t spareSize = 0;

// The spare, when it fits `size` without wasting more than half of itself.
void* takeSpare(std::size_t size) {
    std::lock_guard lock(spareLock);
    if (!spare || spareSize < size || spareSize / 2 > size) return nullptr;
    return std::exchange(spare, nullptr);
}

void keepSpare(void* block) {
    const std::size_t size = malloc_usable_size(block) & ~(HUGE_PAGE - 1);
    madvise(block, size, MADV_FREE);
    void* previous = nullptr;
    {
        std::lock_guard lock(spareLock);
        previous = std::exchange(spare, block);
        spareSize = size;
    }
    std::free(previous);
}

void* allocate(std::size_t size) {
    if (size < LARGE) return std::malloc(size ? size : 1);
    if (void* block = takeSpare(size)) return block;
    const std::size_t rounded = (size + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
    void* block = std::aligned_alloc(HUGE_PAGE, rounded);
    if (block) madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void release(void* block) {
    if (block && malloc_usable_size(block) >= LARGE)
        keepSpare(block);
    else
        std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* block = allocate(size)) return block;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* block) noexcept {
    release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    release(block);
}
