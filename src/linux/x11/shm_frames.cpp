#include "linux/x11/shm_frames.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include "linux/x11/display.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace linux::x11 {
namespace {

// Sends what is queued and, with `wait`, waits until the server has handled it all; a
// request that failed (a window gone, memory the server may not share) is noted, not
// fatal. False when one failed.
bool send(Display* display, bool wait) {
    ErrorTrap trap;
    return trap.send(display, wait);
}

bool isArgb(const XVisualInfo& visual) {
    return visual.red_mask == 0xFF0000 && visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF;
}

} // namespace

struct ShmFrames::Drawing {
    Connection connection;
    Display* display = connection.display();
    Visual* visual = nullptr;
    Pixmap anchor = None; // a 32-bit drawable the GC is made for, so it fits any such window
    GC gc = nullptr;
    ~Drawing() {
        if (gc) XFreeGC(display, gc);
        if (anchor) XFreePixmap(display, anchor);
    }
};

struct ShmFrames::Segment {
    Display* display = nullptr;
    XShmSegmentInfo info{};
    XImage* image = nullptr;
    bool attached = false;
    ~Segment() {
        if (attached) {
            XShmDetach(display, &info);
            send(display, true);
        }
        if (image) XDestroyImage(image); // the image only, not the shared pixels
        if (info.shmaddr) shmdt(info.shmaddr);
    }
};

std::unique_ptr<ShmFrames> ShmFrames::open() {
    auto x = std::make_unique<Drawing>();
    if (!x->display || !XShmQueryExtension(x->display)) return nullptr;
    XVisualInfo visual;
    if (!XMatchVisualInfo(x->display, DefaultScreen(x->display), 32, TrueColor, &visual) ||
        !isArgb(visual))
        return nullptr;
    x->visual = visual.visual;
    x->anchor = XCreatePixmap(x->display, DefaultRootWindow(x->display), 1, 1, 32);
    x->gc = XCreateGC(x->display, x->anchor, 0, nullptr);
    std::unique_ptr<ShmFrames> frames(new ShmFrames(std::move(x)));
    // A server on another machine, or in another IPC namespace, cannot reach our memory.
    return frames->share(1, 1) ? std::move(frames) : nullptr;
}

ShmFrames::ShmFrames(std::unique_ptr<Drawing> x) : x_(std::move(x)) {}

ShmFrames::~ShmFrames() = default;

snow::PixelGrid ShmFrames::frame(int width, int height) {
    const bool sameSize =
        segment_ && segment_->image->width == width && segment_->image->height == height;
    if (sameSize) {
        send(x_->display, true); // the server has read the last frame
    } else {
        segment_.reset(); // the old segment goes before the new one is made
        segment_ = share(width, height);
    }
    if (!segment_) return {nullptr, 0, 0};
    return {reinterpret_cast<std::uint32_t*>(segment_->info.shmaddr), width, height};
}

// A shared image of that size; the segment is marked for removal once the server holds
// it, so that it goes with the last of the two sides, whatever ends them.
std::unique_ptr<ShmFrames::Segment> ShmFrames::share(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto s = std::make_unique<Segment>();
    s->display = x_->display;
    s->image = XShmCreateImage(x_->display, x_->visual, 32, ZPixmap, nullptr, &s->info,
                               unsigned(width), unsigned(height));
    if (!s->image || s->image->bytes_per_line != width * 4) return nullptr;
    s->info.shmid =
        shmget(IPC_PRIVATE, std::size_t(width) * std::size_t(height) * 4, IPC_CREAT | 0600);
    if (s->info.shmid < 0) return nullptr;
    void* address = shmat(s->info.shmid, nullptr, 0);
    s->info.shmaddr = s->image->data =
        address == reinterpret_cast<void*>(-1) ? nullptr : static_cast<char*>(address);
    s->info.readOnly = True;
    s->attached = s->info.shmaddr && XShmAttach(x_->display, &s->info) && send(x_->display, true);
    shmctl(s->info.shmid, IPC_RMID, nullptr);
    return s->attached ? std::move(s) : nullptr;
}

void ShmFrames::put(unsigned long window) {
    if (!segment_) return;
    XShmPutImage(x_->display, window, x_->gc, segment_->image, 0, 0, 0, 0,
                 unsigned(segment_->image->width), unsigned(segment_->image->height), False);
    send(x_->display, false);
}

} // namespace linux::x11
