#pragma once

#include <QPixmap>
#include <QRect>

#include "ui/PictureButton.h"

namespace appearance {

// A picture button that paints a part of its picture ("handimage" with the source rectangle
// "handsource"; an empty rectangle takes the whole picture), knows whether the left button is
// held on it, and reports the pointer entering and leaving.
class CHandImgSelectButtonUI : public ui::PictureButton {
    Q_OBJECT
    Q_PROPERTY(QString handimage READ HandImage WRITE SetHandImage)
    Q_PROPERTY(QRect handsource READ HandSource WRITE SetHandSource)
    // DuiLib's cursor words: "arrow", "ibeam", "wait", "cross", "uparrow", "size", "icon",
    // "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no", "hand".
    Q_PROPERTY(QString cursorname READ CursorName WRITE SetCursorName)
public:
    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);

    QString HandImage() const { return handName_; }
    void SetHandImage(const QString& picture);
    QRect HandSource() const { return source_; }
    void SetHandSource(const QRect& source);
    QString CursorName() const { return cursorName_; }
    // An unknown word leaves the cursor as it is.
    void SetCursorName(const QString& name);

    bool IsLeftButtonHeld() const { return leftHeld_; }

    // The image description the picture is drawn from: "file='a.png' source='l,t,r,b'".
    QString HandImageDescription() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString handName_;
    QPixmap hand_;
    QRect source_;
    QString cursorName_;
    bool leftHeld_ = false;
};

}  // namespace appearance
