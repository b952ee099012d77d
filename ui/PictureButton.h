#pragma once

#include <QPushButton>
#include <QString>

namespace ui {

// A button drawn from skin pictures for its states (DuiLib's image button). Each image is a
// picture description of the skin ("Control/btn.png" or "file='Control/btn.png'"); a state
// without a picture falls back to the normal one, and a button without any picture is drawn
// as a styled push button. Reports class "Button".
class PictureButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString normalImage READ NormalImage WRITE SetNormalImage)
    Q_PROPERTY(QString hotImage READ HotImage WRITE SetHotImage)
    Q_PROPERTY(QString pushedImage READ PushedImage WRITE SetPushedImage)
    Q_PROPERTY(QString disabledImage READ DisabledImage WRITE SetDisabledImage)
    Q_PROPERTY(QString foreImage READ ForeImage WRITE SetForeImage)
public:
    explicit PictureButton(QWidget* parent = nullptr);

    QString NormalImage() const { return normal_; }
    QString HotImage() const { return hot_; }
    QString PushedImage() const { return pushed_; }
    QString DisabledImage() const { return disabled_; }
    QString ForeImage() const { return fore_; }
    void SetNormalImage(const QString& picture);
    void SetHotImage(const QString& picture);
    void SetPushedImage(const QString& picture);
    void SetDisabledImage(const QString& picture);
    // Drawn centred over the state picture (an icon on a plain background).
    void SetForeImage(const QString& picture);

    QSize sizeHint() const override;

protected:
    // The picture for the current state; empty when the button draws as a push button.
    virtual QString CurrentPicture() const;
    bool HasPictures() const;
    void paintEvent(QPaintEvent* event) override;

private:
    QString normal_, hot_, pushed_, disabled_, fore_;
};

}  // namespace ui
