#include "appearance/ActivatableListItemUI.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/ControlClass.h"
#include "ui/Notification.h"

namespace appearance {

ActivatableListItemUI::ActivatableListItemUI(QWidget* parent) : ui::ListElement(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

bool ActivatableListItemUI::Activate() {
    if (!isEnabled()) {
        return false;
    }
    ui::SendNotify(this, QLatin1String(kItemActivate));
    return true;
}

void ActivatableListItemUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Activate();
        return;
    }
    ui::ListElement::mouseDoubleClickEvent(event);
}

void ActivatableListItemUI::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Activate();
        return;
    }
    ui::ListElement::keyPressEvent(event);
}

void ActivatableListItemUI::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    ui::SendNotify(this, QString::fromLatin1(ui::notify::kMenu), event->globalPos().x(),
                   event->globalPos().y());
}

void ActivatableListItemUI::enterEvent(QEnterEvent* event) {
    ui::ListElement::enterEvent(event);
    hot_ = true;
    update();
}

void ActivatableListItemUI::leaveEvent(QEvent* event) {
    ui::ListElement::leaveEvent(event);
    hot_ = false;
    update();
}

void ActivatableListItemUI::paintEvent(QPaintEvent* event) {
    ui::ListElement::paintEvent(event);
    if (!hot_) {
        return;
    }
    const ui::ListContainer* list = OwnerList();
    const QColor border =
        list != nullptr ? list->property(kHotBorderProperty).value<QColor>() : QColor();
    if (!border.isValid()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

CCloudShareListItemUI::CCloudShareListItemUI(QWidget* parent) : ActivatableListItemUI(parent) {
    ui::SetControlClass(this, QStringLiteral("CloudShareListItemUI"));
}

CUpdateInfoListItemUI::CUpdateInfoListItemUI(QWidget* parent) : ActivatableListItemUI(parent) {
    ui::SetControlClass(this, QStringLiteral("UpdateInfoListItemUI"));
}

}  // namespace appearance
