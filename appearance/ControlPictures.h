#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

namespace appearance {

// The dynamic property that holds the picture description a control was last given as its
// background ("file='power/powering.png'"), whatever kind of widget it is.
inline constexpr char kBackgroundImageProperty[] = "bkimage";

// Gives a layout control a background picture: picture buttons take it as their normal
// picture, labels show it scaled into their rectangle, and any widget records it in the
// "bkimage" property (which style sheets and tests can read). A missing picture shows nothing.
void SetBackgroundPicture(QWidget* control, const QString& description);

// Renders a vector picture of the skin (".svg") at size in logical pixels, sharp at the
// given device pixel ratio. A missing or broken file gives a null pixmap.
QPixmap RenderSkinSvg(const QString& name, const QSize& size, qreal devicePixelRatio);

// Paints what the style sheet gives a plain container (background, border, radius).
void PaintStyledBackground(QWidget* widget);

}  // namespace appearance
