#include "ui/PictureButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/ControlClass.h"
#include "ui/SkinResources.h"

namespace ui {

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
    SetControlClass(this, QStringLiteral("Button"));
    setCursor(Qt::PointingHandCursor);
    setProperty("pictured", false);
}

void PictureButton::SetNormalImage(const QString& picture) {
    normal_ = picture;
    // The style sheet gives only buttons without pictures the look of a push button.
    const bool pictured = !normal_.isEmpty();
    if (property("pictured").toBool() != pictured) {
        setProperty("pictured", pictured);
        style()->unpolish(this);
        style()->polish(this);
    }
    update();
}
void PictureButton::SetHotImage(const QString& picture) {
    hot_ = picture;
    update();
}
void PictureButton::SetPushedImage(const QString& picture) {
    pushed_ = picture;
    update();
}
void PictureButton::SetDisabledImage(const QString& picture) {
    disabled_ = picture;
    update();
}
void PictureButton::SetForeImage(const QString& picture) {
    fore_ = picture;
    update();
}

bool PictureButton::HasPictures() const {
    return !normal_.isEmpty();
}

QString PictureButton::CurrentPicture() const {
    if (!isEnabled() && !disabled_.isEmpty()) {
        return disabled_;
    }
    if (isDown() && !pushed_.isEmpty()) {
        return pushed_;
    }
    if (underMouse() && !hot_.isEmpty()) {
        return hot_;
    }
    return normal_;
}

QSize PictureButton::sizeHint() const {
    if (HasPictures()) {
        const QPixmap picture = LoadPicture(normal_);
        if (!picture.isNull()) {
            return picture.deviceIndependentSize().toSize();
        }
    }
    return QPushButton::sizeHint();
}

void PictureButton::paintEvent(QPaintEvent* event) {
    if (!HasPictures()) {
        QPushButton::paintEvent(event);
    } else {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPixmap picture = LoadPicture(CurrentPicture());
        if (!picture.isNull()) {
            painter.drawPixmap(rect(), picture);
        }
        if (!text().isEmpty()) {
            painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                           QPalette::ButtonText));
            painter.drawText(rect(), Qt::AlignCenter, text());
        }
    }
    if (!fore_.isEmpty()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPixmap fore = LoadPicture(fore_);
        if (!fore.isNull()) {
            QSizeF size = fore.deviceIndependentSize();
            size = size.scaled(QSizeF(rect().size()), Qt::KeepAspectRatio).boundedTo(size);
            QRectF target(QPointF(), size);
            target.moveCenter(QRectF(rect()).center());
            if (!isEnabled()) {
                painter.setOpacity(0.4);
            }
            painter.drawPixmap(target, fore, QRectF(fore.rect()));
        }
    }
}

}  // namespace ui
