#include "appearance/CircleProgressUI.h"

#include <QEvent>
#include <QPainter>

#include "appearance/CircleProgressPainter.h"
#include "ui/ControlClass.h"

namespace appearance {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) {
    ui::SetControlClass(this, QStringLiteral("CircleProgress"));
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

void CCircleProgressUI::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

void CCircleProgressUI::SetForegroundColour(const QColor& colour) {
    foreground_ = colour;
    update();
}

void CCircleProgressUI::SetInnerColour(const QColor& colour) {
    inner_ = colour;
    update();
}

bool CCircleProgressUI::event(QEvent* event) {
    if (event->type() != QEvent::Polish) {
        return QProgressBar::event(event);
    }
    // The theme sizes linear progress bars as thin strips; a ring keeps the size its layout
    // gave it.
    const QSize minimum = minimumSize();
    const QSize maximum = maximumSize();
    const QSize current = size();
    const bool handled = QProgressBar::event(event);
    setMinimumSize(minimum);
    setMaximumSize(maximum);
    resize(current);
    return handled;
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintCircleProgress(painter, QRectF(rect()), value(), minimum(), maximum(), background_,
                        foreground_, inner_, kRingInset);
}

}  // namespace appearance
