#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace ui {

// The colour palette (DuiLib CColorPaletteUI, class "ColorPalette"): a hue x saturation field
// with a brightness strip below. The user's choice (press, drag and release on the field or the
// strip, or arrow keys) notifies "colorchanged" with wParam = 0xAARRGGBB once, when the button
// is released or a key moved it; SetColor from code sends nothing.
class ColorPalette : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ Color WRITE SetColor)
public:
    explicit ColorPalette(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    QSize sizeHint() const override { return {240, 160}; }
    QSize minimumSizeHint() const override { return {120, 80}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Part { None, Field, Strip };
    QRect FieldRect() const;
    QRect StripRect() const;
    void PickAt(QPoint pos);
    void UpdateColorFromHsv();
    void NotifyChanged();

    QColor color_{0, 153, 255};
    int hue_ = 204, saturation_ = 255, value_ = 255;
    Part dragging_ = Part::None;
    QImage field_;  // cached: rebuilt on resize only, not per paint
};

}  // namespace ui
