#include "appearance/ControlPictures.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QWidget>

#include "ui/PictureButton.h"
#include "ui/SkinResources.h"

namespace appearance {

void SetBackgroundPicture(QWidget* control, const QString& description) {
    if (control == nullptr) {
        return;
    }
    control->setProperty(kBackgroundImageProperty, description);
    if (auto* button = qobject_cast<ui::PictureButton*>(control)) {
        button->SetNormalImage(description);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setScaledContents(true);
        label->setPixmap(ui::LoadPicture(description));
    }
    control->update();
}

QPixmap RenderSkinSvg(const QString& name, const QSize& size, qreal devicePixelRatio) {
    const QString path = ui::SkinPath(name);
    if (path.isEmpty() || size.isEmpty()) {
        return {};
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

void PaintStyledBackground(QWidget* widget) {
    QStyleOption option;
    option.initFrom(widget);
    QPainter painter(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, widget);
}

}  // namespace appearance
