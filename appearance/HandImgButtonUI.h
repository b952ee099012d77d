#pragma once

#include <QPixmap>

#include "ui/PictureButton.h"

namespace appearance {

// A picture button with a delete badge near its bottom right corner. Releasing the mouse on
// the badge notifies "click_handdelete" instead of clicking the button.
class CHandImgButtonUI : public ui::PictureButton {
    Q_OBJECT
    Q_PROPERTY(QString handimage READ HandImage WRITE SetHandImage)
    Q_PROPERTY(QString deletenormalimage READ DeleteNormalImage WRITE SetDeleteNormalImage)
    Q_PROPERTY(QString deletehotimage READ DeleteHotImage WRITE SetDeleteHotImage)
public:
    explicit CHandImgButtonUI(QWidget* parent = nullptr);

    QString HandImage() const { return handName_; }
    void SetHandImage(const QString& picture);
    QString DeleteNormalImage() const { return deleteNormalName_; }
    void SetDeleteNormalImage(const QString& picture);
    QString DeleteHotImage() const { return deleteHotName_; }
    void SetDeleteHotImage(const QString& picture);

    // The badge: 20 x 20, its left edge 30 px left of the right edge, its top 29 px above the
    // bottom (logical pixels; the program's scaling applies on top).
    QRect DeleteBadgeRect() const;
    bool IsBadgeHot() const { return badgeHot_; }

    static constexpr char kDeleteClick[] = "click_handdelete";
    static constexpr char kEnter[] = "msenter";
    static constexpr char kLeave[] = "msleave";

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void SetBadgeHot(bool hot);

    QString handName_, deleteNormalName_, deleteHotName_;
    QPixmap hand_, deleteNormal_, deleteHot_;
    bool badgeHot_ = false;
};

}  // namespace appearance
