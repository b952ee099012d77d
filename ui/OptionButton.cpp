#include "ui/OptionButton.h"

#include "ui/ControlClass.h"
#include "ui/Notification.h"

namespace ui {

OptionButton::OptionButton(QWidget* parent) : PictureButton(parent) {
    SetControlClass(this, QStringLiteral("OptionUI"));
    setCheckable(true);
    // Exclusivity is by group name across the window, not Qt's sibling rule.
    setAutoExclusive(false);
}

void OptionButton::SetSelectedImage(const QString& picture) {
    selected_ = picture;
    update();
}

void OptionButton::SetSelectedHotImage(const QString& picture) {
    selectedHot_ = picture;
    update();
}

QString OptionButton::CurrentPicture() const {
    if (isChecked() && isEnabled()) {
        if (underMouse() && !selectedHot_.isEmpty()) {
            return selectedHot_;
        }
        if (!selected_.isEmpty()) {
            return selected_;
        }
    }
    return PictureButton::CurrentPicture();
}

void OptionButton::nextCheckState() {
    if (!group_.isEmpty()) {
        if (!isChecked()) {
            setChecked(true);
            DeselectGroupSiblings();
        }
        return;
    }
    setChecked(!isChecked());
}

void OptionButton::SetSelected(bool selected, bool notify) {
    const bool was = isChecked();
    setChecked(selected);
    if (selected && !group_.isEmpty()) {
        DeselectGroupSiblings();
    }
    if (notify && was != selected && (selected || group_.isEmpty())) {
        SendNotify(this, QStringLiteral("selectchanged"));
    }
}

void OptionButton::DeselectGroupSiblings() {
    const QWidget* scope = window();
    for (OptionButton* other : scope->findChildren<OptionButton*>()) {
        if (other != this && other->group_ == group_ && other->isChecked()) {
            other->setChecked(false);
        }
    }
}

}  // namespace ui
