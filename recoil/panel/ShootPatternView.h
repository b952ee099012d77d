#pragma once

#include <QWidget>
#include <vector>

#include "recoil/ShootData.h"

namespace shootpanel {

// A small plot of one gun's pattern: where the cursor ends up after each bullet, so that the
// shape of the compensation can be read at a glance. The chosen bullet is ringed in the accent
// colour; clicking near a bullet's point asks for that bullet.
class CShootPatternView : public QWidget {
    Q_OBJECT
public:
    explicit CShootPatternView(QWidget* parent = nullptr);

    void SetPattern(std::vector<recoil::BulletValues> bullets);
    // -1: none.
    void SetCurrentBullet(int bullet);
    int CurrentBullet() const { return current_; }

    // The cursor position after each bullet, starting from (0, 0); x grows to the right and y
    // downwards, as on the screen.
    static std::vector<QPoint> Track(const std::vector<recoil::BulletValues>& bullets);

    // Where bullet b's point is drawn (after its move); null point when there is none.
    QPointF BulletPoint(int bullet) const;

    QSize sizeHint() const override { return {160, 160}; }

Q_SIGNALS:
    void BulletClicked(int bullet);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Widget positions of the start and of each bullet's point.
    std::vector<QPointF> Layout() const;

    std::vector<recoil::BulletValues> bullets_;
    std::vector<QPoint> track_;
    int current_ = -1;
};

}  // namespace shootpanel
