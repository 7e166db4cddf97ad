// The screen made in one pass from a decoded picture's upside-down rows looks as Qt's own
// smooth drawing of that picture, turned upright, looks: in every style, shrunk, enlarged,
// cropped and tiled.
#include "linux/picture_image.h"
#include "linux/screen_image.h"
#include "qt_fixture.h"

#include <QPainter>

#include <cstdlib>
#include <ostream>

namespace linux {

namespace {

using enum WallpaperStyle;

// Soft: gradients across, down and along the diagonal, as photographs mostly are. Sharp:
// every pixel unrelated to its neighbours.
enum class Content { Soft, Sharp };

std::uint32_t softAt(int x, int y, int width, int height) {
    const int red = 255 * x / std::max(1, width - 1), green = 255 * y / std::max(1, height - 1);
    const int blue = 255 * (x + y) / std::max(1, width + height - 2);
    return std::uint32_t(red << 16 | green << 8 | blue);
}

std::uint32_t sharpAt(int x, int y) {
    return (std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u * 65537u) & 0xffffff;
}

ui::Picture pictureOf(int width, int height, Content content) {
    ui::Picture picture = ui::Picture::sized(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.set(x, y,
                        content == Content::Soft ? softAt(x, y, width, height) : sharpAt(x, y));
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

struct Case {
    int pictureWidth, pictureHeight, screenWidth, screenHeight;
    WallpaperStyle style;
    Content content;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.pictureWidth << "x" << c.pictureHeight << " on " << c.screenWidth << "x"
               << c.screenHeight << " style " << int(c.style) << " content " << int(c.content);
}

class ScreenImage : public testing::TestWithParam<Case> {};

TEST_P(ScreenImage, LooksAsQtsSmoothDrawingOfTheUprightPicture) {
    qt_testing::application();
    const Case c = GetParam();
    const ui::Picture picture = pictureOf(c.pictureWidth, c.pictureHeight, c.content);
    const QImage upsideDown = upsideDownImage(picture);
    const QImage made = screenImage(upsideDown, c.screenWidth, c.screenHeight, c.style);
    ASSERT_EQ(made.size(), QSize(c.screenWidth, c.screenHeight));
    ASSERT_EQ(made.format(), QImage::Format_RGB32);
    const Difference d =
        largestDifference(made, drawnByQt(upsideDown, c.screenWidth, c.screenHeight, c.style));
    EXPECT_LE(d.most, TOLERANCE) << "at " << d.x << "," << d.y;
}

// The picture's pixel a screen pixel shows at the picture's own size (tiled, or centred
// on black), or black.
QRgb shownAt(const ui::Picture& picture, const Case& c, int x, int y) {
    if (c.style != Centred) return picture.at(x % picture.width, y % picture.height);
    x -= (c.screenWidth - picture.width) / 2, y -= (c.screenHeight - picture.height) / 2;
    const bool inside = x >= 0 && y >= 0 && x < picture.width && y < picture.height;
    return inside ? picture.at(x, y) : 0xff000000u;
}

// At its own size (centred, tiled, or stretched to the same size) every screen pixel is
// exactly the picture's pixel it covers, or black.
TEST(ScreenImageOf, AtItsOwnSizeEveryPixelIsThePicturesOwn) {
    for (const Case& c : {Case{64, 48, 64, 48, Stretched, Content::Sharp},
                          Case{300, 201, 128, 80, Centred, Content::Sharp},
                          Case{31, 17, 128, 80, Centred, Content::Sharp},
                          Case{31, 17, 128, 80, Tiled, Content::Sharp},
                          Case{300, 201, 128, 80, Tiled, Content::Sharp}}) {
        SCOPED_TRACE(testing::PrintToString(c));
        const ui::Picture picture = pictureOf(c.pictureWidth, c.pictureHeight, c.content);
        const QImage made =
            screenImage(upsideDownImage(picture), c.screenWidth, c.screenHeight, c.style);
        for (int y = 0; y < c.screenHeight; ++y)
            for (int x = 0; x < c.screenWidth; ++x)
                ASSERT_EQ(made.pixel(x, y), shownAt(picture, c, x, y)) << "at " << x << "," << y;
    }
}

TEST(ScreenImageOf, NoPictureOrNoScreenIsNoImage) {
    const ui::Picture picture = pictureOf(4, 3, Content::Soft);
    EXPECT_TRUE(screenImage(QImage(), 8, 6, Stretched).isNull());
    EXPECT_TRUE(screenImage(upsideDownImage(picture), 0, 6, Stretched).isNull());
    EXPECT_TRUE(screenImage(upsideDownImage(picture), 8, -1, Centred).isNull());
}

// Another format is read as the same picture: the result is the same screen.
TEST(ScreenImageOf, AnImageOfAnotherFormatGivesTheSameScreen) {
    const ui::Picture picture = pictureOf(40, 30, Content::Sharp);
    const QImage upsideDown = upsideDownImage(picture);
    const QImage other = upsideDown.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(largestDifference(screenImage(other, 25, 19, Stretched),
                                screenImage(upsideDown, 25, 19, Stretched))
                  .most,
              0);
}

using enum Content;
INSTANTIATE_TEST_SUITE_P(
    SizesAndStyles, ScreenImage,
    testing::Values(Case{1200, 800, 256, 160, Stretched, Soft}, // a photograph's shrink
                    Case{1200, 800, 256, 160, Stretched, Sharp},
                    Case{333, 777, 100, 51, Stretched, Soft}, // uneven, both sides
                    Case{16, 12, 200, 150, Stretched, Soft},  // enlarged
                    Case{16, 12, 200, 150, Stretched, Sharp},
                    Case{64, 48, 64, 48, Stretched, Sharp},  // its own size
                    Case{300, 201, 128, 80, Centred, Sharp}, // cropped on all sides
                    Case{31, 17, 128, 80, Centred, Sharp},   // black around it
                    Case{31, 17, 128, 80, Tiled, Sharp},     // tiles cut at the edges
                    Case{300, 201, 128, 80, Tiled, Sharp}));

} // namespace
} // namespace linux
