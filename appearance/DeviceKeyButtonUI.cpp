#include "appearance/DeviceKeyButtonUI.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "ui/ControlClass.h"
#include "ui/Notification.h"
#include "ui/SkinResources.h"

namespace appearance {

namespace {

QColor ColourFromWord(std::uint32_t word) {
    return QColor(static_cast<int>(word & 0xFF), static_cast<int>((word >> 16) & 0xFF),
                  static_cast<int>((word >> 8) & 0xFF));
}

}  // namespace

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : ui::PictureButton(parent) {
    ui::SetControlClass(this, QStringLiteral("DeviceKeyButton"));
}

void CDeviceKeyButtonUI::SetLightImage(const QString& picture) {
    lightImageName_ = picture;
    lightSource_ = picture.isEmpty() ? QPixmap() : ui::LoadPicture(picture);
    lightTinted_ = lightSource_.isNull()
                       ? QImage()
                       : QImage(lightSource_.size(), QImage::Format_ARGB32_Premultiplied);
    lightTinted_.setDevicePixelRatio(lightSource_.devicePixelRatio());
    RetintLight();
    update();
}

void CDeviceKeyButtonUI::SetKeySetImage(const QString& picture) {
    keySetImageName_ = picture;
    keySet_ = picture.isEmpty() ? QPixmap() : ui::LoadPicture(picture);
    update();
}

void CDeviceKeyButtonUI::ShowLightColour(std::uint32_t colourWord, int alpha) {
    const QColor colour = ColourFromWord(colourWord);
    alpha = std::clamp(alpha, 0, 255);
    if (lightOn_ && colour == lightColour_ && alpha == lightAlpha_) {
        return;  // the preview repeats frames; repaint only what changed
    }
    const bool recolour = colour != lightColour_;
    lightColour_ = colour;
    lightAlpha_ = alpha;
    lightOn_ = true;
    if (recolour) {
        RetintLight();
    }
    update();
}

void CDeviceKeyButtonUI::SetLightDisplay(bool on) {
    if (lightOn_ != on) {
        lightOn_ = on;
        update();
    }
}

void CDeviceKeyButtonUI::SetKeySetImageVisible(bool visible) {
    if (keySetVisible_ != visible) {
        keySetVisible_ = visible;
        update();
    }
}

void CDeviceKeyButtonUI::SetSelectMark(bool marked) {
    if (marked_ != marked) {
        marked_ = marked;
        update();
    }
}

void CDeviceKeyButtonUI::RetintLight() {
    if (lightTinted_.isNull()) {
        return;
    }
    lightTinted_.fill(Qt::transparent);
    QPainter painter(&lightTinted_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, lightSource_);
    // Keep the picture's shape and shading, take the LED's colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), lightTinted_.deviceIndependentSize()), lightColour_);
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        ui::PictureButton::mouseDoubleClickEvent(event);
        return;
    }
    // Pushed and captured, so the release that follows completes an ordinary click as well.
    QPointer<CDeviceKeyButtonUI> self(this);
    ui::PictureButton::mousePressEvent(event);
    ui::SendNotify(this, QLatin1String(kDoubleClick));
    if (self) {
        update();
    }
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* event) {
    ui::PictureButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF area(rect());
    if (lightOn_ && lightAlpha_ > 0 && !lightTinted_.isNull()) {
        painter.setOpacity(lightAlpha_ / 255.0);
        painter.drawImage(area, lightTinted_);
        painter.setOpacity(1.0);
    }
    if (keySetVisible_ && !keySet_.isNull()) {
        // A mark smaller than the key sits in its top right corner; a larger one covers it.
        const QSizeF mark = keySet_.deviceIndependentSize();
        if (mark.width() < area.width() && mark.height() < area.height()) {
            painter.drawPixmap(QPointF(area.right() - mark.width(), area.top()), keySet_);
        } else {
            painter.drawPixmap(area.toRect(), keySet_);
        }
    }
    if (marked_) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor(0x00, 0x99, 0xFF), 2));
        painter.setBrush(QColor(0x00, 0x99, 0xFF, 40));
        painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), 4, 4);
    }
}

}  // namespace appearance
