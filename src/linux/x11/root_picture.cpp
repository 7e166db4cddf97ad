// The root window's background: a pixmap of the screen's size set as the background and
// named by the properties that setroot programs and pseudo-transparent windows read.
#include "linux/x11/root_picture.h"

#include "linux/screen_image.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSysInfo>

#include <bit>
#include <cstdlib>
#include <cstring>
#include <string>

// Xlib last: its macros clash with names in Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "linux/x11/display.h"
#include "linux/x11/property.h"

namespace linux::x11 {

namespace {

void tile(QPainter& painter, const QImage& picture, int width, int height) {
    for (int y = 0; y < height; y += picture.height())
        for (int x = 0; x < width; x += picture.width())
            painter.drawImage(x, y, picture);
}

// The screen as it will look: the picture stretched, centred on black or tiled from the
// top left. A picture that lies upside down is a decoded picture's own rows, turned
// upright in the one pass that makes the screen.
QImage screenPicture(const QImage& picture, Lying lying, int width, int height,
                     WallpaperStyle style) {
    if (lying == Lying::UpsideDown) return screenImage(picture, width, height, style);
    QImage screen(width, height, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (style == WallpaperStyle::Stretched) painter.drawImage(screen.rect(), picture);
    if (style == WallpaperStyle::Centred)
        painter.drawImage((width - picture.width()) / 2, (height - picture.height()) / 2, picture);
    if (style == WallpaperStyle::Tiled) tile(painter, picture, width, height);
    return screen;
}

unsigned long channel(int value, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    return ((value * (mask >> shift) + 127) / 255) << shift;
}

bool sameLayout(const XImage* image, const Visual* visual) {
    const int hostOrder = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst;
    return image->bits_per_pixel == 32 && image->byte_order == hostOrder &&
           visual->red_mask == 0xff0000 && visual->green_mask == 0xff00 &&
           visual->blue_mask == 0xff;
}

void copyRows(XImage* image, const QImage& screen) {
    for (int y = 0; y < screen.height(); ++y)
        std::memcpy(image->data + y * image->bytes_per_line, screen.constScanLine(y),
                    static_cast<size_t>(screen.width()) * 4);
}

void putPixels(XImage* image, const Visual* visual, const QImage& screen) {
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QRgb rgb = screen.pixel(x, y);
            XPutPixel(image, x, y,
                      channel(qRed(rgb), visual->red_mask) |
                          channel(qGreen(rgb), visual->green_mask) |
                          channel(qBlue(rgb), visual->blue_mask));
        }
}

// The screen in the root window's visual and depth: 0xRRGGBB words are copied row by row,
// any other layout goes pixel by pixel. Null when memory ran out.
XImage* xImageOf(Display* display, const XWindowAttributes& attributes, const QImage& screen) {
    XImage* image = XCreateImage(display, attributes.visual, attributes.depth, ZPixmap, 0, nullptr,
                                 screen.width(), screen.height(), 32, 0);
    if (!image) return nullptr;
    image->data = static_cast<char*>(std::malloc(size_t(image->bytes_per_line) * screen.height()));
    if (!image->data) {
        XDestroyImage(image);
        return nullptr;
    }
    if (sameLayout(image, attributes.visual))
        copyRows(image, screen);
    else
        putPixels(image, attributes.visual, screen);
    return image;
}

Pixmap makePixmap(Display* display, Window root, const XWindowAttributes& attributes,
                  const QImage& screen) {
    XImage* image = xImageOf(display, attributes, screen);
    if (!image) return None;
    const Pixmap pixmap =
        XCreatePixmap(display, root, screen.width(), screen.height(), attributes.depth);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, screen.width(), screen.height());
    XFreeGC(display, gc);
    XDestroyImage(image);
    return pixmap;
}

// The pixmap the property names; None when it names none.
Pixmap pixmapProperty(Display* display, Window root, Atom property) {
    const auto ids = propertyIds(display, root, property, XA_PIXMAP, 1);
    return ids.size() == 1 ? Pixmap(ids[0]) : None;
}

// When both properties name one pixmap, a setroot program left it behind with its
// resources kept: ending that client frees it.
void freePreviousPixmap(Display* display, Window root, Atom rootPixmap, Atom esetroot) {
    const Pixmap shown = pixmapProperty(display, root, rootPixmap);
    if (shown != None && shown == pixmapProperty(display, root, esetroot))
        XKillClient(display, shown);
}

void nameRootPixmap(Display* display, Window root, Pixmap pixmap) {
    const Atom rootPixmap = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom esetroot = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    freePreviousPixmap(display, root, rootPixmap, esetroot);
    for (Atom property : {rootPixmap, esetroot})
        XChangeProperty(display, root, property, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
}

bool paintRoot(Display* display, const QImage& picture, Lying lying, WallpaperStyle style) {
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, root, &attributes)) return false;
    const QImage screen = screenPicture(picture, lying, attributes.width, attributes.height, style);
    const Pixmap pixmap = makePixmap(display, root, attributes, screen);
    if (pixmap == None) return false;
    // A pixmap left by a client that is gone, or a property of the wrong kind, is not
    // worth ending the program over.
    ErrorTrap trap;
    nameRootPixmap(display, root, pixmap);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XSetCloseDownMode(display, RetainPermanent);
    trap.send(display, true);
    return true;
}

// The display Qt shows its windows on; empty (that is, $DISPLAY) when Qt is not on X.
std::string qtDisplayName() {
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display()) return DisplayString(x11->display());
#endif
    return {};
}

} // namespace

// The pixmap must outlive the connection that made it, and a connection kept with
// RetainPermanent keeps all it made, windows too: so it is a connection of its own to
// Qt's display, never Qt's, and the next picture's freePreviousPixmap ends it.
bool setRootPicture(const QImage& picture, Lying lying, WallpaperStyle style) {
    if (picture.isNull()) return false;
    const Connection connection(qtDisplayName());
    return connection.open() && paintRoot(connection.display(), picture, lying, style);
}

} // namespace linux::x11
