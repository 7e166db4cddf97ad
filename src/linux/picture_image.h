// A decoded picture seen through Qt without a copy of its pixels.
#pragma once

#include "ui/picture.h"

#include <QImage>

class QPainter;
class QRect;

namespace linux {

// The image over the picture's own bytes. It lies upside down, as the picture's rows go
// bottom-up; the picture must outlive it.
QImage upsideDownImage(const ui::Picture& picture);

// Draws an image that lies upside down upright, stretched to `target`.
void drawUpright(QPainter& painter, const QRect& target, const QImage& upsideDown);

} // namespace linux
