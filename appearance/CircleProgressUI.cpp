#include "appearance/CircleProgressUI.h"

#include <QPainter>

#include "appearance/CircleProgressPainter.h"
#include "ui/ControlClass.h"

namespace appearance {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) {
    ui::SetControlClass(this, QStringLiteral("CircleProgress"));
    setTextVisible(false);
    // The theme draws linear progress bars as thin strips; a ring takes the size it is given.
    setStyleSheet(QStringLiteral("max-height: 16777215px; min-height: 0px;"));
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

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintCircleProgress(painter, QRectF(rect()), value(), minimum(), maximum(), background_,
                        foreground_, inner_, kRingInset);
}

}  // namespace appearance
