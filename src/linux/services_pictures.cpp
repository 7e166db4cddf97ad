#include "linux/jpeg_decoder.h"
#include "linux/services.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace linux {

namespace {

// The largest picture decoded, and the largest file read: a little over 8,000 x 8,000
// pixels of 32 bits as Qt reads them, about 9,400 x 9,400 of 24 bits as a JPEG is decoded.
constexpr int ALLOCATION_LIMIT_MB = 256;
constexpr std::uintmax_t LIMIT_BYTES = std::uintmax_t(ALLOCATION_LIMIT_MB) << 20;

// The whole file, or nothing for one missing, unreadable or beyond the limit.
std::string fileBytes(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > LIMIT_BYTES) return {};
    std::ifstream file(path, std::ios::binary);
    std::string bytes(size, '\0');
    if (!file.read(bytes.data(), std::streamsize(size))) return {};
    return bytes;
}

// Any format Qt reads, turned into the picture's bitmap rows: Qt's 24-bit rows are padded
// as the bitmap's are, and go in from the bottom. Like the Windows program, the pixels are
// taken as stored: no turn from a camera's orientation tag.
ui::PicturePtr readWithQt(const std::string& bytes, const ui::PixelPlace& place) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(ALLOCATION_LIMIT_MB);
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    image = image.convertToFormat(QImage::Format_BGR888);
    auto picture =
        std::make_shared<ui::Picture>(ui::Picture::placed(place, image.width(), image.height()));
    const std::size_t rowBytes = std::size_t(image.width()) * 3;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture->row(y), image.constScanLine(y), rowBytes);
    return picture;
}

} // namespace

// The file is read once; a JPEG goes straight into the picture's pixels.
ui::PicturePtr loadPicture(const std::string& path, const ui::PixelPlace& place) {
    const std::string bytes = fileBytes(path);
    if (auto jpeg = decodeJpeg(bytes, LIMIT_BYTES, place)) return *jpeg;
    return readWithQt(bytes, place);
}

} // namespace linux
