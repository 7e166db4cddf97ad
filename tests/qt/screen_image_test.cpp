// The screen made in one pass from a picture's upside-down rows looks as Qt's own smooth
// drawing of the upright picture: in every style, shrunk, enlarged, cropped and tiled.
#include "linux/picture_image.h"
#include "linux/screen_image.h"
#include "qt_fixture.h"

#include <QPainter>

#include <cstdlib>

namespace linux {

namespace {

using enum WallpaperStyle;

// Every pixel unrelated to its neighbours, so that a sample taken one pixel off shows.
std::uint32_t sharpAt(int x, int y) {
    return (std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u * 65537u) & 0xffffff;
}

ui::Picture pictureOf(int width, int height) {
    ui::Picture picture = ui::Picture::sized(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.set(x, y, sharpAt(x, y));
    return picture;
}

// The screen as Qt draws it: the picture upright, smooth, on black.
QImage drawnByQt(const QImage& upsideDown, int width, int height, WallpaperStyle style) {
    QImage screen(width, height, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size = upsideDown.size();
    if (style == Stretched) drawUpright(painter, screen.rect(), upsideDown);
    if (style == Centred)
        drawUpright(painter,
                    QRect(QPoint((width - size.width()) / 2, (height - size.height()) / 2), size),
                    upsideDown);
    for (int y = 0; style == Tiled && y < height; y += size.height())
        for (int x = 0; x < width; x += size.width())
            drawUpright(painter, QRect(QPoint(x, y), size), upsideDown);
    return screen;
}

// The largest difference of one channel between two pictures of one size, and where.
struct Difference {
    int most = 0, x = 0, y = 0;
};

int channelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

Difference largestDifference(const QImage& a, const QImage& b) {
    Difference largest;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (const int d = channelDifference(a.pixel(x, y), b.pixel(x, y)); d > largest.most)
                largest = {d, x, y};
    return largest;
}

// Qt rounds its blends in another order, and at a picture's own size its samples lie a
// hair off the pixels' middles: each channel may differ by this much.
constexpr int TOLERANCE = 2;

TEST(ScreenImage, LooksAsQtsSmoothDrawingOfTheUprightPicture) {
    qt_testing::application();
    const std::tuple<int, int, int, int, WallpaperStyle, const char*> cases[] = {
        {1200, 800, 256, 160, Stretched, "a photograph's shrink"},
        {333, 777, 100, 51, Stretched, "uneven, both sides"},
        {16, 12, 200, 150, Stretched, "enlarged"},
        {64, 48, 64, 48, Stretched, "its own size"},
        {300, 201, 128, 80, Centred, "cropped on all sides"},
        {31, 17, 128, 80, Centred, "black around it"},
        {31, 17, 128, 80, Tiled, "tiles cut at the edges"},
        {300, 201, 128, 80, Tiled, "one tile, cropped"}};
    for (auto [pictureWidth, pictureHeight, width, height, style, what] : cases) {
        const ui::Picture picture = pictureOf(pictureWidth, pictureHeight); // the image's rows
        const QImage upsideDown = upsideDownImage(picture);
        const QImage made = screenImage(upsideDown, width, height, style);
        ASSERT_EQ(std::pair(made.size(), made.format()),
                  std::pair(QSize(width, height), QImage::Format_RGB32))
            << what;
        const Difference d = largestDifference(made, drawnByQt(upsideDown, width, height, style));
        EXPECT_LE(d.most, TOLERANCE) << what << ": at " << d.x << "," << d.y;
    }
}

TEST(ScreenImageOf, NoPictureOrNoScreenIsNoImageAndAnotherFormatTheSameScreen) {
    const ui::Picture picture = pictureOf(40, 30);
    const QImage upsideDown = upsideDownImage(picture);
    EXPECT_TRUE(screenImage(QImage(), 8, 6, Stretched).isNull());
    EXPECT_TRUE(screenImage(upsideDown, 0, 6, Stretched).isNull());
    EXPECT_TRUE(screenImage(upsideDown, 8, -1, Centred).isNull());
    EXPECT_EQ(screenImage(upsideDown.convertToFormat(QImage::Format_RGB32), 25, 19, Stretched),
              screenImage(upsideDown, 25, 19, Stretched));
}

} // namespace
} // namespace linux
