#include "qt/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace qt {

// The program's icon, drawn: a blue tile with a white snowflake.
QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x1f, 0x5f, 0xbf));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        p.setPen(QPen(Qt::white, std::max(1.0, size / 12.0)));
        p.translate(size / 2.0, size / 2.0);
        for (int arm = 0; arm < 3; ++arm, p.rotate(60))
            p.drawLine(QPointF(0, -size * 0.35), QPointF(0, size * 0.35));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace qt
