#include "appearance/HandImgSelectButtonUI.h"

#include <array>
#include <utility>

#include <QMouseEvent>
#include <QPainter>

#include "appearance/HandImgButtonUI.h"
#include "ui/ControlClass.h"
#include "ui/Notification.h"
#include "ui/SkinResources.h"

namespace appearance {

namespace {

// "icon" had no own shape on Windows either (an empty square); the arrow stands in for it.
constexpr std::array<std::pair<const char*, Qt::CursorShape>, 14> kCursors = {{
    {"arrow", Qt::ArrowCursor},
    {"ibeam", Qt::IBeamCursor},
    {"wait", Qt::WaitCursor},
    {"cross", Qt::CrossCursor},
    {"uparrow", Qt::UpArrowCursor},
    {"size", Qt::SizeAllCursor},
    {"icon", Qt::ArrowCursor},
    {"sizenwse", Qt::SizeFDiagCursor},
    {"sizenesw", Qt::SizeBDiagCursor},
    {"sizewe", Qt::SizeHorCursor},
    {"sizens", Qt::SizeVerCursor},
    {"sizeall", Qt::SizeAllCursor},
    {"no", Qt::ForbiddenCursor},
    {"hand", Qt::PointingHandCursor},
}};

}  // namespace

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent) : ui::PictureButton(parent) {
    ui::SetControlClass(this, QStringLiteral("HandImgSelectButton"));
}

void CHandImgSelectButtonUI::SetHandImage(const QString& picture) {
    handName_ = picture;
    hand_ = ui::LoadPicture(picture);
    update();
}

void CHandImgSelectButtonUI::SetHandSource(const QRect& source) {
    source_ = source;
    update();
}

void CHandImgSelectButtonUI::SetCursorName(const QString& name) {
    for (const auto& [word, shape] : kCursors) {
        if (name.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) {
            cursorName_ = name;
            setCursor(shape);
            return;
        }
    }
}

QString CHandImgSelectButtonUI::HandImageDescription() const {
    QString description = QStringLiteral("file='%1' ").arg(handName_);
    if (!source_.isNull()) {
        description += QStringLiteral("source='%1,%2,%3,%4'")
                           .arg(source_.left())
                           .arg(source_.top())
                           .arg(source_.left() + source_.width())
                           .arg(source_.top() + source_.height());
    }
    return description;
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftHeld_ = true;
    }
    ui::PictureButton::mousePressEvent(event);
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftHeld_ = false;
    }
    ui::PictureButton::mouseReleaseEvent(event);
}

void CHandImgSelectButtonUI::enterEvent(QEnterEvent* event) {
    ui::PictureButton::enterEvent(event);
    ui::SendNotify(this, QLatin1String(CHandImgButtonUI::kEnter));
}

void CHandImgSelectButtonUI::leaveEvent(QEvent* event) {
    ui::PictureButton::leaveEvent(event);
    ui::SendNotify(this, QLatin1String(CHandImgButtonUI::kLeave));
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent* event) {
    ui::PictureButton::paintEvent(event);
    if (hand_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const qreal ratio = hand_.devicePixelRatio();
    const QRectF source = source_.isNull()
                              ? QRectF(hand_.rect())
                              : QRectF(source_.x() * ratio, source_.y() * ratio,
                                       source_.width() * ratio, source_.height() * ratio);
    painter.drawPixmap(QRectF(rect()), hand_, source);
}

}  // namespace appearance
