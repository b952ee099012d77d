#include "appearance/ChartViewUI.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QTextDocument>

#include "ui/ControlClass.h"
#include "ui/SkinResources.h"

namespace appearance {

namespace {

// Slice colours: the accent first, then calm companions that stay readable on the dark panel.
constexpr std::array<QRgb, 6> kSliceColours = {0xFF0099FF, 0xFF3DDC84, 0xFFA7B0BC,
                                               0xFF0078C8, 0xFFFF5A5F, 0xFF6B7A8C};

void DrawItemText(QPainter& painter, const QRect& box, const QString& text, bool html) {
    if (!html) {
        painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        return;
    }
    QTextDocument doc;
    doc.setHtml(text);
    doc.setTextWidth(box.width());
    painter.save();
    painter.translate(box.left(), box.top() + (box.height() - doc.size().height()) / 2);
    doc.drawContents(&painter);
    painter.restore();
}

}  // namespace

CChartViewUI::CChartViewUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("ChartView"));
}

void CChartViewUI::SetView(const QString& view) {
    view_ = view == QLatin1String("histpgram") ? view : QStringLiteral("pie");
    update();
}

void CChartViewUI::AddItem(const QString& name, double value) {
    items_.push_back({name, std::max(0.0, value)});
    update();
}

void CChartViewUI::ClearItems() {
    items_.clear();
    update();
}

void CChartViewUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRect area = rect();
    if (!shadowImage_.isEmpty() && shadowImageHeight_ > 0) {
        const QPixmap shadow = ui::LoadPicture(shadowImage_);
        const QRect shadowRect(area.left(), area.bottom() - shadowImageHeight_ + 1, area.width(),
                               shadowImageHeight_);
        if (!shadow.isNull()) {
            painter.drawPixmap(shadowRect, shadow);
        }
        area.setBottom(shadowRect.top() - 1);
    }
    if (items_.isEmpty() || area.isEmpty()) {
        return;
    }
    double total = 0;
    double largest = 0;
    for (const Item& item : items_) {
        total += item.value;
        largest = std::max(largest, item.value);
    }
    if (IsBarChart()) {
        PaintBars(painter, area, largest);
    } else {
        PaintPie(painter, area, total);
    }
}

void CChartViewUI::PaintPie(QPainter& painter, const QRect& area, double total) {
    if (total <= 0) {
        return;
    }
    const int side = std::min(area.width(), area.height());
    const QRect pie(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    int start = 90 * 16;  // twelve o'clock, slices run clockwise
    painter.setPen(QPen(QColor(0x18, 0x1C, 0x22), 2));
    for (int i = 0; i < items_.size(); ++i) {
        const int span = -static_cast<int>(items_[i].value / total * 360.0 * 16.0 + 0.5);
        painter.setBrush(QColor::fromRgba(kSliceColours[i % kSliceColours.size()]));
        painter.drawPie(pie, start, span);
        if (showText_ && span != 0) {
            const double mid = (start + span / 2) / 16.0 * std::numbers::pi / 180.0;
            const QPoint centre =
                pie.center() + QPoint(static_cast<int>(std::cos(mid) * side / 3),
                                      -static_cast<int>(std::sin(mid) * side / 3));
            painter.setPen(Qt::white);
            DrawItemText(painter, QRect(centre - QPoint(40, 12), QSize(80, 24)), items_[i].name,
                         showHtml_);
            painter.setPen(QPen(QColor(0x18, 0x1C, 0x22), 2));
        }
        start += span;
    }
}

void CChartViewUI::PaintBars(QPainter& painter, const QRect& area, double largest) {
    if (largest <= 0) {
        return;
    }
    const int textHeight = showText_ ? painter.fontMetrics().height() + 4 : 0;
    const int slot = area.width() / static_cast<int>(items_.size());
    const int barWidth = std::min(slot, pillarImageWidth_ > 0 ? pillarImageWidth_ : 24);
    const int usable = area.height() - textHeight;
    const QPixmap pillar = pillarImage_.isEmpty() ? QPixmap() : ui::LoadPicture(pillarImage_);
    for (int i = 0; i < items_.size(); ++i) {
        const int height = static_cast<int>(items_[i].value / largest * usable);
        const int left = area.left() + i * slot + (slot - barWidth) / 2;
        const QRect bar(left, area.top() + usable - height, barWidth, height);
        if (!pillar.isNull()) {
            painter.drawPixmap(bar, pillar);
        } else {
            painter.fillRect(bar, QColor::fromRgba(kSliceColours[0]));
        }
        if (showText_) {
            painter.setPen(QColor(0xA7, 0xB0, 0xBC));
            DrawItemText(painter,
                         QRect(area.left() + i * slot, area.top() + usable, slot, textHeight),
                         items_[i].name, showHtml_);
        }
    }
}

}  // namespace appearance
