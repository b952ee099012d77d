#include "ui/ControlState.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QSignalBlocker>

#include "ui/Notification.h"
#include "ui/OptionButton.h"
#include "ui/SkinResources.h"

namespace ui {

void SetSelected(QAbstractButton* option, bool selected, Notifying notifying) {
    if (option == nullptr) {
        return;
    }
    if (auto* ours = qobject_cast<OptionButton*>(option)) {
        ours->SetSelected(selected, notifying == Notifying::Yes);
        return;
    }
    const bool was = option->isChecked();
    option->setChecked(selected);
    if (notifying == Notifying::No || option->isChecked() == was) {
        return;
    }
    const bool exclusive =
        option->group() != nullptr ? option->group()->exclusive() : option->autoExclusive();
    if (exclusive && !option->isChecked()) {
        return;
    }
    SendNotify(option, QString::fromLatin1(notify::kSelectChanged));
}

void SetSliderValue(QAbstractSlider* slider, int value, Notifying notifying) {
    if (slider == nullptr) {
        return;
    }
    const int was = slider->value();
    slider->setValue(value);
    if (notifying == Notifying::Yes && slider->value() != was) {
        SendNotify(slider, QString::fromLatin1(notify::kValueChanged));
    }
}

void SetComboIndex(QComboBox* combo, int index, Notifying notifying) {
    if (combo == nullptr || index < -1 || index >= combo->count()) {
        return;
    }
    const int was = combo->currentIndex();
    combo->setCurrentIndex(index);
    if (notifying == Notifying::Yes && combo->currentIndex() != was) {
        SendNotify(combo, QString::fromLatin1(notify::kItemSelect), index);
    }
}

void SetSliderImages(QAbstractSlider* slider, const QString& barImage, const QString& thumbImage) {
    if (slider == nullptr) {
        return;
    }
    auto existing = [](const QString& picture) {
        const QString path = SkinPath(picture);
        return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
    };
    const QString bar = existing(barImage);
    const QString thumb = existing(thumbImage);
    QString sheet;
    if (!bar.isEmpty()) {
        sheet += QStringLiteral(
                     "QSlider::sub-page:horizontal { border-image: url(\"%1\") 0 2 0 2 "
                     "stretch stretch; border-width: 0px 2px; }")
                     .arg(bar);
    }
    if (!thumb.isEmpty()) {
        sheet += QStringLiteral("QSlider::handle:horizontal { image: url(\"%1\"); }").arg(thumb);
    }
    slider->setStyleSheet(sheet);
    slider->setProperty("barImage", barImage);
    slider->setProperty("thumbImage", thumbImage);
}

}  // namespace ui
