#include "linux/picture_image.h"

#include <QPainter>

namespace linux {

QImage upsideDownImage(const ui::Picture& picture) {
    if (!picture.whole()) return {};
    return QImage(picture.data(), picture.width, picture.height, qsizetype(picture.stride()),
                  QImage::Format_BGR888);
}

// Mirrored about the target's middle row: the image's first row lands at the bottom.
void drawUpright(QPainter& painter, const QRect& target, const QImage& upsideDown) {
    painter.save();
    painter.translate(target.left(), target.top() + target.height());
    painter.scale(1, -1);
    painter.drawImage(QRect(0, 0, target.width(), target.height()), upsideDown);
    painter.restore();
}

} // namespace linux
