#include "appearance/CircleProgressPainter.h"

#include <algorithm>

#include <QPainter>

namespace appearance {

void PaintCircleProgress(QPainter& painter, const QRectF& rect, int value, int minimum, int maximum,
                         const QColor& background, const QColor& foreground, const QColor& inner,
                         qreal inset) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(rect);

    // The done part is measured from the minimum, so a range that does not start at 0 still
    // shows an empty ring at its minimum; an empty or reversed range shows no progress.
    const long long span = static_cast<long long>(maximum) - minimum;
    if (span > 0) {
        double fraction = static_cast<double>(static_cast<long long>(value) - minimum) /
                          static_cast<double>(span);
        fraction = std::clamp(fraction, 0.0, 1.0);
        // Qt counts angles counter-clockwise from three o'clock in 1/16 degree: six o'clock is
        // -90 degrees, and clockwise is a negative span.
        const int sweep = -static_cast<int>(fraction * 360.0 * 16.0 + 0.5);
        if (sweep != 0) {
            painter.setBrush(foreground);
            painter.drawPie(rect, -90 * 16, sweep);
        }
    }

    const QRectF hole = rect.adjusted(inset, inset, -inset, -inset);
    if (hole.width() > 0 && hole.height() > 0) {
        painter.setBrush(inner);
        painter.drawEllipse(hole);
    }
    painter.restore();
}

}  // namespace appearance
