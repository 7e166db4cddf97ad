// Pictures as the Linux program decodes them: JPEG by libjpeg-turbo straight into the
// pixels, everything else (and the JPEGs it leaves) by Qt; broken files are refused.
#include "qt/services.h"
#include "qt_fixture.h"

#include <QImage>

#include <turbojpeg.h>

namespace {

using qt_testing::TempHome;

// A 40 x 30 gradient, so every block of the JPEG differs.
QImage gradient() {
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, 255 - x * 3));
    return image;
}

// The same gradient as a four-channel CMYK JPEG, which libjpeg-turbo cannot turn to RGB.
std::string cmykJpeg() {
    std::vector<unsigned char> cmyk(40 * 30 * 4, 0x40);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjhandle handle = tjInitCompress();
    tjCompress2(handle, cmyk.data(), 40, 0, 30, TJPF_CMYK, &jpeg, &size, TJSAMP_444, 90, 0);
    std::string bytes(reinterpret_cast<char*>(jpeg), size);
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

// The JPEG with its frame header's height and width set to `side`.
std::string claiming(std::string jpeg, unsigned side) {
    const std::size_t frame = jpeg.find("\xFF\xC0");
    for (std::size_t at : {frame + 5, frame + 7})
        jpeg[at] = char(side >> 8), jpeg[at + 1] = char(side & 0xFF);
    return jpeg;
}

std::vector<std::uint32_t> pixelsOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            pixels.push_back(argb.pixel(x, y));
    return pixels;
}

TEST(Pictures, EachFormatDecodesAsQtSeesItAndBrokenFilesAreRefused) {
    TempHome home;
    gradient().save(QString::fromStdString(home.path("ok.jpg")), "JPEG", 90);
    gradient().save(QString::fromStdString(home.path("ok.png")));
    const std::string jpeg = home.read("ok.jpg"), scan = jpeg.substr(0, jpeg.find("\xFF\xDA"));
    home.write("cmyk.jpg", cmykJpeg());
    home.write("jpeg.png", jpeg); // the name does not matter, the bytes do
    home.write("extra.jpg", scan + std::string(2, '\0') + jpeg.substr(scan.size()));
    for (const char* name : {"ok.jpg", "ok.png", "cmyk.jpg", "jpeg.png", "extra.jpg"}) {
        const auto decoded = qt::loadPicture(home.path(name));
        ASSERT_TRUE(decoded) << name;
        const QImage reference(QString::fromStdString(home.path(name)));
        EXPECT_EQ(std::tuple(decoded->width, decoded->height, decoded->pixels),
                  std::tuple(40, 30, pixelsOf(reference)))
            << name;
    }
    const std::string hugePng(
        "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x06\0\0\0"
        "\xa8\x52\x0b\xc8",
        33);
    for (auto [name, bytes] : {std::pair{"empty.png", std::string()},
                               {"text.jpg", std::string("hello")},
                               {"cut.png", home.read("ok.png").substr(0, 40)},
                               {"cut.jpg", jpeg.substr(0, jpeg.size() - 40)},
                               {"huge.png", hugePng},
                               {"huge.jpg", claiming(jpeg, 60000)}}) {
        home.write(name, bytes);
        EXPECT_FALSE(qt::loadPicture(home.path(name))) << name;
    }
    EXPECT_FALSE(qt::loadPicture(home.path("none.jpg")));
}

} // namespace
