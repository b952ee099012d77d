#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace appearance {

// A ring progress: the background disc, a pie from six o'clock clockwise for the done part,
// and an inner disc inset by `inset` pixels so only a ring shows.
void PaintCircleProgress(QPainter& painter, const QRectF& rect, int value, int minimum, int maximum,
                         const QColor& background, const QColor& foreground, const QColor& inner,
                         qreal inset);

}  // namespace appearance
