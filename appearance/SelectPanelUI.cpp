#include "appearance/SelectPanelUI.h"

#include <QMouseEvent>

#include "appearance/ControlPictures.h"
#include "appearance/DeviceKeyButtonUI.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/Notification.h"

namespace appearance {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("SelectPanel"));
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    start_ = event->position().toPoint();
    armed_ = true;
    dragging_ = false;
    event->accept();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
    if (!armed_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    dragging_ = true;
    // QRect(QPoint, QPoint) includes both corners, so a straight horizontal or vertical drag
    // still has an area and touches the buttons it crosses.
    selection_ = QRect(start_, event->position().toPoint()).normalized();
    update();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !armed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    armed_ = false;
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    selection_ = QRect(start_, event->position().toPoint()).normalized();
    MarkTouchedButtons();
    update();
    ui::SendNotify(this, QLatin1String(kSelectEnd));
}

void CSelectPanelUI::MarkTouchedButtons() {
    const QList<QWidget*> buttons = ui::ChildrenOfClass(this, QStringLiteral("DeviceKeyButton"));
    for (QWidget* child : buttons) {
        if (auto* button = qobject_cast<CDeviceKeyButtonUI*>(child)) {
            button->SetSelectMark(child->geometry().intersects(selection_));
        }
    }
}

void CSelectPanelUI::paintEvent(QPaintEvent*) {
    // A plain container: only what the style sheet gives it; the rubber band is not drawn.
    PaintStyledBackground(this);
}

}  // namespace appearance
