#include "linux/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace linux::wayland {
namespace {

std::size_t bytesOf(int width, int height) {
    return std::size_t(width) * std::size_t(height) * 4;
}

// A memfd of that size, mapped; -1 and no memory when either fails.
int sharedMemory(std::size_t bytes, void*& memory) {
    memory = nullptr;
    int fd = memfd_create("kalo-dc-snow", MFD_CLOEXEC);
    if (fd < 0) return -1;
    if (ftruncate(fd, off_t(bytes)) == 0)
        memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory != MAP_FAILED && memory) return fd;
    memory = nullptr;
    close(fd);
    return -1;
}

} // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::make(wl_shm* shm, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    void* memory = nullptr;
    int fd = sharedMemory(bytesOf(width, height), memory);
    if (fd < 0) return nullptr;
    std::unique_ptr<ShmBuffer> made(new ShmBuffer(width, height, memory));
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, std::int32_t(bytesOf(width, height)));
    made->buffer_ =
        wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool); // the buffer keeps the memory
    close(fd);
    static const wl_buffer_listener listener = {.release = &ShmBuffer::released};
    wl_buffer_add_listener(made->buffer_, &listener, made.get());
    return made;
}

ShmBuffer::ShmBuffer(int width, int height, void* memory)
    : width_(width), height_(height), memory_(memory) {}

ShmBuffer::~ShmBuffer() {
    if (buffer_) wl_buffer_destroy(buffer_);
    munmap(memory_, bytesOf(width_, height_));
}

snow::PixelGrid ShmBuffer::pixels() const {
    return {static_cast<std::uint32_t*>(memory_), width_, height_};
}

void ShmBuffer::released(void* data, wl_buffer*) {
    static_cast<ShmBuffer*>(data)->busy_ = false;
}

// A buffer of another size is replaced once the compositor has let go of it.
ShmBuffer* BufferPair::free(wl_shm* shm, int width, int height) {
    for (auto& buffer : buffers_)
        if (buffer && !buffer->busy() && buffer->width() == width && buffer->height() == height)
            return buffer.get();
    for (auto& buffer : buffers_) {
        if (buffer && buffer->busy()) continue;
        buffer.reset();
        buffer = ShmBuffer::make(shm, width, height);
        return buffer.get();
    }
    return nullptr;
}

} // namespace linux::wayland
