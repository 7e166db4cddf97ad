#include "qt/services.h"

#include <QImage>
#include <QImageReader>

namespace qt {

namespace {

// The largest picture decoded: a little over 8,000 x 8,000 pixels of 32 bits.
constexpr int ALLOCATION_LIMIT_MB = 256;

} // namespace

ui::PicturePtr loadPicture(const std::string& path) {
    QImageReader reader(qs(path));
    reader.setAllocationLimit(ALLOCATION_LIMIT_MB);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    image = image.convertToFormat(QImage::Format_ARGB32);
    auto picture = std::make_shared<ui::Picture>();
    picture->width = image.width();
    picture->height = image.height();
    picture->pixels.resize(std::size_t(image.width()) * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        auto row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(row, row + image.width(),
                  picture->pixels.begin() + std::ptrdiff_t(y) * image.width());
    }
    return picture;
}

} // namespace qt
