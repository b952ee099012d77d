#pragma once

#include <QColor>
#include <QProgressBar>

namespace appearance {

// A progress shown as a ring: the done part sweeps clockwise from six o'clock.
class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(QColor bkcolor READ BackgroundColour WRITE SetBackgroundColour)
    Q_PROPERTY(QColor forecolor READ ForegroundColour WRITE SetForegroundColour)
    // The disc in the middle that leaves only the ring visible.
    Q_PROPERTY(QColor innercolor READ InnerColour WRITE SetInnerColour)
public:
    explicit CCircleProgressUI(QWidget* parent = nullptr);

    QColor BackgroundColour() const { return background_; }
    void SetBackgroundColour(const QColor& colour);
    QColor ForegroundColour() const { return foreground_; }
    void SetForegroundColour(const QColor& colour);
    QColor InnerColour() const { return inner_; }
    void SetInnerColour(const QColor& colour);

    static constexpr int kRingInset = 10;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_{0x20, 0x26, 0x2E};
    QColor foreground_{0x00, 0x99, 0xFF};
    QColor inner_{Qt::white};
};

}  // namespace appearance
