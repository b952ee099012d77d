#include "ui/ColorPalette.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/ControlClass.h"
#include "ui/Notification.h"

namespace ui {
namespace {

constexpr int kStripHeight = 14;
constexpr int kGap = 12;

}  // namespace

ColorPalette::ColorPalette(QWidget* parent) : QWidget(parent) {
    SetControlClass(this, QStringLiteral("ColorPalette"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ColorPalette::SetColor(const QColor& color) {
    if (!color.isValid()) {
        return;
    }
    color_ = color.toRgb();
    color_.setAlpha(255);
    int h = 0, s = 0, v = 0;
    color_.getHsv(&h, &s, &v);
    // Grey has no hue: keep the marker where it was.
    if (h >= 0) {
        hue_ = h;
    }
    saturation_ = s;
    value_ = v;
    update();
}

// The markers overhang the field and the strip by this much; keep them inside the control.
constexpr int kInset = 8;

QRect ColorPalette::FieldRect() const {
    return rect().adjusted(kInset, kInset, -kInset - 1, -(kStripHeight + kGap + kInset) - 1);
}

QRect ColorPalette::StripRect() const {
    return QRect(kInset, height() - kStripHeight - 2, width() - 2 * kInset - 1, kStripHeight - 1);
}

void ColorPalette::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect field = FieldRect();
    if (field.width() <= 0 || field.height() <= 0) {
        field_ = {};
        return;
    }
    // Hue across, saturation down, at full value; drawn once per size.
    field_ = QImage(field.size(), QImage::Format_RGB32);
    for (int y = 0; y < field.height(); ++y) {
        const int s = 255 - y * 255 / std::max(1, field.height() - 1);
        auto* line = reinterpret_cast<QRgb*>(field_.scanLine(y));
        for (int x = 0; x < field.width(); ++x) {
            const int h = x * 359 / std::max(1, field.width() - 1);
            line[x] = QColor::fromHsv(h, s, 255).rgb();
        }
    }
}

void ColorPalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect field = FieldRect();
    if (!field_.isNull()) {
        QPainterPath clip;
        clip.addRoundedRect(QRectF(field), 6, 6);
        painter.save();
        painter.setClipPath(clip);
        painter.drawImage(field.topLeft(), field_);
        painter.restore();
    }
    const QRect strip = StripRect();
    QLinearGradient gradient(strip.topLeft(), strip.topRight());
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, QColor::fromHsv(hue_, saturation_, 255));
    painter.setPen(QPen(QColor(0x26, 0x2C, 0x35), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(strip), kStripHeight / 2.0, kStripHeight / 2.0);

    const bool enabled = isEnabled();
    painter.setBrush(Qt::NoBrush);
    // Field marker: a ring at (hue, saturation).
    const QPointF at(field.left() + hue_ * (field.width() - 1) / 359.0,
                     field.top() + (255 - saturation_) * (field.height() - 1) / 255.0);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(at, 6, 6);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawEllipse(at, 6, 6);
    // Strip marker at value.
    const QPointF knob(strip.left() + value_ * (strip.width() - 1) / 255.0, strip.center().y());
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(color_);
    painter.drawEllipse(knob, kStripHeight / 2.0 + 1, kStripHeight / 2.0 + 1);
    if (!enabled) {
        painter.fillRect(rect(), QColor(16, 19, 23, 160));
    }
}

void ColorPalette::PickAt(QPoint pos) {
    if (dragging_ == Part::Field) {
        const QRect field = FieldRect();
        const int x = std::clamp(pos.x() - field.left(), 0, std::max(0, field.width() - 1));
        const int y = std::clamp(pos.y() - field.top(), 0, std::max(0, field.height() - 1));
        hue_ = x * 359 / std::max(1, field.width() - 1);
        saturation_ = 255 - y * 255 / std::max(1, field.height() - 1);
    } else if (dragging_ == Part::Strip) {
        const QRect strip = StripRect();
        const int x = std::clamp(pos.x() - strip.left(), 0, std::max(0, strip.width() - 1));
        value_ = x * 255 / std::max(1, strip.width() - 1);
    }
    UpdateColorFromHsv();
}

void ColorPalette::UpdateColorFromHsv() {
    color_ = QColor::fromHsv(hue_, saturation_, value_).toRgb();
    update();
}

void ColorPalette::NotifyChanged() {
    SendNotify(this, QString::fromLatin1(notify::kColorChanged),
               static_cast<qintptr>(color_.rgba()));
}

void ColorPalette::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (FieldRect().adjusted(-2, -2, 2, 2).contains(pos)) {
        dragging_ = Part::Field;
    } else if (StripRect().adjusted(-4, -4, 4, 4).contains(pos)) {
        dragging_ = Part::Strip;
    } else {
        return;
    }
    PickAt(pos);
}

void ColorPalette::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ != Part::None) {
        PickAt(event->position().toPoint());
    }
}

void ColorPalette::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragging_ == Part::None) {
        return;
    }
    PickAt(event->position().toPoint());
    dragging_ = Part::None;
    NotifyChanged();
}

void ColorPalette::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            hue_ = (hue_ + 359) % 360;
            break;
        case Qt::Key_Right:
            hue_ = (hue_ + 1) % 360;
            break;
        case Qt::Key_Up:
            saturation_ = std::min(255, saturation_ + 5);
            break;
        case Qt::Key_Down:
            saturation_ = std::max(0, saturation_ - 5);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    UpdateColorFromHsv();
    NotifyChanged();
}

}  // namespace ui
