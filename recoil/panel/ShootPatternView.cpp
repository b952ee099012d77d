#include "recoil/panel/ShootPatternView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <utility>

#include "ui/LanguageTexts.h"

namespace shootpanel {
namespace {

const QColor kBackground(0x10, 0x13, 0x17);
const QColor kBorder(0x26, 0x2C, 0x35);
const QColor kGrid(0x20, 0x26, 0x2E);
const QColor kPath(0x3A, 0x42, 0x4D);
const QColor kPoint(0xA7, 0xB0, 0xBC);
const QColor kAccent(0x00, 0x99, 0xFF);
const QColor kStart(0x3D, 0xDC, 0x84);
constexpr qreal kMargin = 14.0;
constexpr qreal kPickRadius = 8.0;
constexpr qreal kCaptionHeight = 10.0;  // room above the path for the caption

}  // namespace

CShootPatternView::CShootPatternView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(96, 80);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setCursor(Qt::PointingHandCursor);
}

void CShootPatternView::SetPattern(std::vector<recoil::BulletValues> bullets) {
    bullets_ = std::move(bullets);
    track_ = Track(bullets_);
    update();
}

void CShootPatternView::SetCurrentBullet(int bullet) {
    if (bullet != current_) {
        current_ = bullet;
        update();
    }
}

std::vector<QPoint> CShootPatternView::Track(const std::vector<recoil::BulletValues>& bullets) {
    std::vector<QPoint> track;
    track.reserve(bullets.size() + 1);
    QPoint at(0, 0);
    track.push_back(at);
    for (const recoil::BulletValues& b : bullets) {
        at += QPoint(b.xLeft ? -b.x : b.x, b.yUp ? -b.y : b.y);
        track.push_back(at);
    }
    return track;
}

std::vector<QPointF> CShootPatternView::Layout() const {
    std::vector<QPointF> points;
    if (track_.empty()) {
        return points;
    }
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const QPoint& p : track_) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    // One scale for both axes keeps the shape true; a flat pattern is not blown up.
    const qreal spanX = std::max(maxX - minX, 8);
    const qreal spanY = std::max(maxY - minY, 8);
    const qreal w = std::max<qreal>(width() - 2 * kMargin, 1);
    const qreal h = std::max<qreal>(height() - 2 * kMargin - kCaptionHeight, 1);
    const qreal scale = std::min(w / spanX, h / spanY);
    const qreal offsetX = kMargin + (w - (maxX - minX) * scale) / 2 - minX * scale;
    const qreal offsetY = kMargin + kCaptionHeight + (h - (maxY - minY) * scale) / 2 - minY * scale;
    points.reserve(track_.size());
    for (const QPoint& p : track_) {
        points.emplace_back(offsetX + p.x() * scale, offsetY + p.y() * scale);
    }
    return points;
}

QPointF CShootPatternView::BulletPoint(int bullet) const {
    const std::vector<QPointF> points = Layout();
    const std::size_t index = static_cast<std::size_t>(bullet) + 1;
    return bullet >= 0 && index < points.size() ? points[index] : QPointF();
}

void CShootPatternView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kBackground);
    painter.drawRoundedRect(frame, 6, 6);

    QFont caption = font();
    caption.setPixelSize(11);
    painter.setFont(caption);
    painter.setPen(kPoint);
    painter.drawText(frame.adjusted(8, 4, -8, -4), Qt::AlignLeft | Qt::AlignTop,
                     ui::Text(QStringLiteral("shoot_pattern_caption_text")));

    const std::vector<QPointF> points = Layout();
    if (points.empty()) {
        return;
    }
    // Cross hair through the start, where the cursor was when the first shot fired.
    painter.setPen(QPen(kGrid, 1, Qt::DashLine));
    painter.drawLine(QPointF(frame.left() + 4, points[0].y()),
                     QPointF(frame.right() - 4, points[0].y()));
    painter.drawLine(QPointF(points[0].x(), frame.top() + 4),
                     QPointF(points[0].x(), frame.bottom() - 4));

    QPainterPath path(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i) {
        path.lineTo(points[i]);
    }
    painter.setPen(QPen(kPath, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kStart);
    painter.drawEllipse(points[0], 3.5, 3.5);
    painter.setBrush(kPoint);
    for (std::size_t i = 1; i < points.size(); ++i) {
        painter.drawEllipse(points[i], 2.0, 2.0);
    }
    const std::size_t chosen = static_cast<std::size_t>(current_) + 1;
    if (current_ >= 0 && chosen < points.size()) {
        painter.setBrush(kAccent);
        painter.drawEllipse(points[chosen], 3.5, 3.5);
        painter.setPen(QPen(kAccent, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(points[chosen], 7.0, 7.0);
    }
}

void CShootPatternView::mousePressEvent(QMouseEvent* event) {
    const std::vector<QPointF> points = Layout();
    int best = -1;
    qreal bestDistance = kPickRadius * kPickRadius;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF d = points[i] - event->position();
        const qreal distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i) - 1;
        }
    }
    if (best >= 0) {
        Q_EMIT BulletClicked(best);
    }
    QWidget::mousePressEvent(event);
}

}  // namespace shootpanel
