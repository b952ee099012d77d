#include "appearance/MpDevicePowerUI.h"

#include "appearance/ControlPictures.h"
#include "appearance/PowerRecord.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/Notification.h"

namespace appearance {

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("MpDevicePower"));
}

bool CMpDevicePowerUI::FindParts() {
    if (value_ && wirelessLogo_ && progress_ && status_ && phone_) {
        return true;
    }
    value_ = ui::FindSubControlByName(this, QStringLiteral("device_power_value"));
    wirelessLogo_ = ui::FindSubControlByName(this, QStringLiteral("device_wuxian_logo"));
    progress_ = qobject_cast<QProgressBar*>(
        ui::FindSubControlByName(this, QStringLiteral("device_Power_progress")));
    status_ = ui::FindSubControlByName(this, QStringLiteral("device_power_status"));
    phone_ = ui::FindSubControlByName(this, QStringLiteral("device_phone_type"));
    return value_ && wirelessLogo_ && progress_ && status_ && phone_;
}

bool CMpDevicePowerUI::ApplyStatusRecord(const std::uint8_t* record, std::size_t length) {
    if (!FindParts()) {
        return false;
    }
    const PowerDisplay display = DecodePowerRecord(kind_, record, length);
    progress_->setValue(display.progressValue);
    // Labels and buttons both take "text"; a label-like control of another type ignores it.
    value_->setProperty("text", display.valueText);
    if (display.wirelessLogoVisible) {
        wirelessLogo_->setVisible(*display.wirelessLogoVisible);
    }
    if (display.progressVisible) {
        progress_->setVisible(*display.progressVisible);
    }
    if (display.statusImage) {
        SetBackgroundPicture(status_, *display.statusImage);
    }
    if (display.phoneTip) {
        ui::SetToolTipId(phone_, *display.phoneTip);
    }
    if (display.phoneImage) {
        SetBackgroundPicture(phone_, *display.phoneImage);
    }
    return true;
}

void CMpDevicePowerUI::ShowIndicator(bool visible) {
    if (QWidget* layout = ui::FindSubControlByName(this, QStringLiteral("device_power_Layout"))) {
        layout->setVisible(visible);
    }
}

void CMpDevicePowerUI::Activate() {
    ui::SendNotify(this, QString::fromLatin1(ui::notify::kSelectChanged));
}

void CMpDevicePowerUI::paintEvent(QPaintEvent*) {
    PaintStyledBackground(this);
}

}  // namespace appearance
