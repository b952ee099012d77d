#pragma once

#include <cstdint>

#include <QImage>
#include <QPixmap>
#include <QVariant>

#include "ui/PictureButton.h"

namespace appearance {

// A key or button drawn on the device picture. Over its state pictures it can show the key's
// light (its "lightimage" tinted with the LED colour at the LED's alpha) and the mark of a
// non-default assignment ("keysetimage"). The select panel marks it by rubber-band selection.
class CDeviceKeyButtonUI : public ui::PictureButton {
    Q_OBJECT
    Q_PROPERTY(QString lightimage READ LightImage WRITE SetLightImage)
    Q_PROPERTY(QString keysetimage READ KeySetImage WRITE SetKeySetImage)
    Q_PROPERTY(QVariant gmnametextcolor MEMBER ignoredNameColour_)
public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    QString LightImage() const { return lightImageName_; }
    void SetLightImage(const QString& picture);
    QString KeySetImage() const { return keySetImageName_; }
    void SetKeySetImage(const QString& picture);

    // Shows the light in the device's colour word (red bits 0-7, blue 8-15, green 16-23) with
    // the given alpha (0 transparent .. 255 opaque), and switches the light display on.
    void ShowLightColour(std::uint32_t colourWord, int alpha);
    void SetLightDisplay(bool on);
    bool IsLightDisplayed() const { return lightOn_; }
    QColor LightColour() const { return lightColour_; }
    int LightAlpha() const { return lightAlpha_; }

    void SetKeySetImageVisible(bool visible);
    bool IsKeySetImageVisible() const { return keySetVisible_; }

    void SetSelectMark(bool marked);
    bool IsSelectMarked() const { return marked_; }

    static constexpr char kDoubleClick[] = "dbclick";

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void RetintLight();

    QString lightImageName_;
    QString keySetImageName_;
    QPixmap lightSource_;
    QImage lightTinted_;  // reused for every colour, so an animated light allocates nothing
    QPixmap keySet_;
    QColor lightColour_{Qt::white};
    int lightAlpha_ = 255;
    bool lightOn_ = false;
    bool keySetVisible_ = true;
    bool marked_ = false;
    QVariant ignoredNameColour_;
};

}  // namespace appearance
