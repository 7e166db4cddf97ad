#include "linux/x11/root_snow.h"

#include <string>

#include "linux/x11/display.h"

namespace linux::x11 {

std::vector<Run> flakeRuns(const std::uint32_t* pixels, int width, int height) {
    std::vector<Run> runs;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width;) {
            if ((row[x] & 0xFFFFFFu) == 0) {
                ++x;
                continue;
            }
            int start = x;
            while (x < width && (row[x] & 0xFFFFFFu) != 0)
                ++x;
            runs.push_back({start, y, x - start});
        }
    }
    return runs;
}

struct RootSnow::Drawing {
    Connection connection;
    Display* display = connection.display();
    Window root = 0;
    GC white = nullptr;
    ~Drawing() {
        if (white) XFreeGC(display, white);
    }
};

namespace {

bool compositorRunning(Display* display) {
    std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), False)) != None;
}

std::vector<XRectangle> rectangles(const std::vector<Run>& runs) {
    std::vector<XRectangle> out;
    out.reserve(runs.size());
    for (const Run& r : runs)
        out.push_back({short(r.x), short(r.y), static_cast<unsigned short>(r.width), 1});
    return out;
}

} // namespace

CompositorWatch::CompositorWatch() : connection_(std::make_unique<Connection>()) {}

CompositorWatch::~CompositorWatch() = default;

bool CompositorWatch::running() const {
    return connection_->open() && compositorRunning(connection_->display());
}

std::unique_ptr<RootSnow> RootSnow::openWithoutCompositor() {
    auto x = std::make_unique<Drawing>();
    if (!x->display || compositorRunning(x->display)) return nullptr;
    x->root = DefaultRootWindow(x->display);
    XGCValues values;
    values.foreground = WhitePixel(x->display, DefaultScreen(x->display));
    values.subwindow_mode = ClipByChildren; // beneath every window
    x->white = XCreateGC(x->display, x->root, GCForeground | GCSubwindowMode, &values);
    return std::unique_ptr<RootSnow>(new RootSnow(std::move(x)));
}

RootSnow::RootSnow(std::unique_ptr<Drawing> x) : x_(std::move(x)) {}

RootSnow::~RootSnow() {
    clear();
}

// The flakes of the last frame go (the background shows again), then this frame's come.
void RootSnow::show(const std::uint32_t* pixels, int width, int height) {
    std::vector<Run> runs = flakeRuns(pixels, width, height);
    eraseShown();
    auto rects = rectangles(runs);
    // One request holds at most about 32,000 rectangles.
    for (std::size_t at = 0; at < rects.size(); at += 32000)
        XFillRectangles(x_->display, x_->root, x_->white, rects.data() + at,
                        int(std::min<std::size_t>(32000, rects.size() - at)));
    XFlush(x_->display);
    shown_ = std::move(runs);
}

void RootSnow::clear() {
    eraseShown();
    XFlush(x_->display);
    shown_.clear();
}

void RootSnow::eraseShown() {
    for (const Run& r : shown_)
        XClearArea(x_->display, x_->root, r.x, r.y, unsigned(r.width), 1, False);
}

} // namespace linux::x11
