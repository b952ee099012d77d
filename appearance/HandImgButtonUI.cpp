#include "appearance/HandImgButtonUI.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/ControlClass.h"
#include "ui/Notification.h"
#include "ui/SkinResources.h"

namespace appearance {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : ui::PictureButton(parent) {
    ui::SetControlClass(this, QStringLiteral("HandImgButton"));
    setMouseTracking(true);
}

void CHandImgButtonUI::SetHandImage(const QString& picture) {
    handName_ = picture;
    hand_ = ui::LoadPicture(picture);
    update();
}

void CHandImgButtonUI::SetDeleteNormalImage(const QString& picture) {
    deleteNormalName_ = picture;
    deleteNormal_ = ui::LoadPicture(picture);
    update();
}

void CHandImgButtonUI::SetDeleteHotImage(const QString& picture) {
    deleteHotName_ = picture;
    deleteHot_ = ui::LoadPicture(picture);
    update();
}

QRect CHandImgButtonUI::DeleteBadgeRect() const {
    return QRect(width() - 30, height() - 29, 20, 20);
}

void CHandImgButtonUI::SetBadgeHot(bool hot) {
    if (badgeHot_ != hot) {
        badgeHot_ = hot;
        update(DeleteBadgeRect());
    }
}

void CHandImgButtonUI::mouseMoveEvent(QMouseEvent* event) {
    SetBadgeHot(DeleteBadgeRect().contains(event->position().toPoint()));
    ui::PictureButton::mouseMoveEvent(event);
}

void CHandImgButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        DeleteBadgeRect().contains(event->position().toPoint())) {
        // Let go of the pushed state without the click: the badge deletes, it does not open.
        setDown(false);
        event->accept();
        ui::SendNotify(this, QLatin1String(kDeleteClick));
        return;
    }
    ui::PictureButton::mouseReleaseEvent(event);
}

void CHandImgButtonUI::enterEvent(QEnterEvent* event) {
    ui::PictureButton::enterEvent(event);
    ui::SendNotify(this, QLatin1String(kEnter));
}

void CHandImgButtonUI::leaveEvent(QEvent* event) {
    SetBadgeHot(false);
    ui::PictureButton::leaveEvent(event);
    ui::SendNotify(this, QLatin1String(kLeave));
}

void CHandImgButtonUI::paintEvent(QPaintEvent* event) {
    ui::PictureButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!hand_.isNull()) {
        painter.drawPixmap(rect(), hand_);
    }
    const QPixmap& badge = badgeHot_ && !deleteHot_.isNull() ? deleteHot_ : deleteNormal_;
    if (!badge.isNull()) {
        painter.drawPixmap(DeleteBadgeRect(), badge);
    }
}

}  // namespace appearance
