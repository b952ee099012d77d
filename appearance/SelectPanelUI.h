#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace appearance {

// The area over the device picture that holds the key buttons. Dragging over it with the left
// button marks the key buttons the rectangle touches and unmarks the others; the end of such a
// drag notifies "click_select_end".
class CSelectPanelUI : public QWidget {
    Q_OBJECT
public:
    explicit CSelectPanelUI(QWidget* parent = nullptr);

    // The last selection rectangle, normalised, in panel coordinates.
    QRect SelectionRect() const { return selection_; }
    bool IsDragging() const { return dragging_; }

    static constexpr char kSelectEnd[] = "click_select_end";

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void MarkTouchedButtons();

    QPoint start_;
    QRect selection_;
    bool armed_ = false;
    bool dragging_ = false;
};

}  // namespace appearance
