#include "devices/page/ZelvaneUSBDevice.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "appearance/DeviceKeyButtonUI.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "devices/page/ControlName.h"
#include "devices/page/PagePanels.h"
#include "profiles/panel/DeviceProfileUI.h"
#include "profiles/panel/ProfileDevice.h"

using devices::page::MatchIndexed;
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/SkinResources.h"
#include "ui/TabLayout.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

}  // namespace

CZelvaneUSBDevice::CZelvaneUSBDevice(QWidget* parent, std::unique_ptr<devices::CUsbDeviceCore> core)
    : QFrame(parent), core_(std::move(core)) {
    ui::SetControlClass(this, QStringLiteral("ZelvaneUSBDevice"));
}

CZelvaneUSBDevice::~CZelvaneUSBDevice() {
    DetachCore();
}

void CZelvaneUSBDevice::AttachCore() {
    if (!attached_) {
        core_->SetListener(this);
        attached_ = true;
    }
}

void CZelvaneUSBDevice::DetachCore() {
    if (optionEntry_ != nullptr && optionEntry_->Device() == this) {
        optionEntry_->BindDevice(nullptr);
    }
    if (core_ != nullptr) {
        core_->StopThreads();
        core_->SetListener(nullptr);
    }
    attached_ = false;
}

QSize CZelvaneUSBDevice::PrimaryScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return screen->size() * screen->devicePixelRatio();
}

void CZelvaneUSBDevice::SetKeyCount(int n) {
    core_->SetKeyCount(n);
    keyButtons_.resize(static_cast<std::size_t>(std::max(0, core_->GetKeyCount())), nullptr);
}

void CZelvaneUSBDevice::SetLedCount(int n) {
    core_->SetLedCount(n);
    const auto count = static_cast<std::size_t>(std::max(0, core_->GetLedCount()));
    lightButtons_.resize(count, nullptr);
    lastFrame_.assign(count, devices::LedColour{});
}

void CZelvaneUSBDevice::SetStatusPolling(int value) {
    core_->SetStatusPolling(value);
    if (powerControl_ != nullptr) {
        powerControl_->SetStatusPolling(value);
    }
}

void CZelvaneUSBDevice::SetPowerControl(appearance::CMpDevicePowerUI* control) {
    powerControl_ = control;
    if (control != nullptr) {
        control->SetStatusPolling(core_->GetStatusPolling());
    }
}

// The page's operations as the profile panel runs them.
class CZelvaneUSBDevice::PanelDevice : public profilepanel::IProfileDevice {
public:
    explicit PanelDevice(CZelvaneUSBDevice& page) : page_(page) {}
    void SetProfileId(const QString& id) override { page_.SetProfileId(id); }
    int LoadProfileState() override { return page_.LoadProfileState(); }
    void ValidateMacroKeys() override { page_.ValidateMacroKeys(); }
    void RefreshControls() override { page_.RefreshControls(); }
    int WriteSettings() override { return page_.WriteSettings(); }
    int DownloadMacros() override { return page_.DownloadMacros(); }
    int WriteKeys(int profile) override { return page_.WriteKeys(profile); }

private:
    CZelvaneUSBDevice& page_;
};

void CZelvaneUSBDevice::LoadProfilePanel() {
    if (!panelDevice_) {
        panelDevice_ = std::make_unique<PanelDevice>(*this);
    }
    profilePanel_ = std::make_unique<profilepanel::CDeviceProfileUI>(this, panelDevice_.get());
    profilePanel_->SetDeviceKind(GetDeviceKind());
    profilePanel_->SetFolders(core_->GetUserDataFolder(), core_->GetDefaultProfilePath());
    profilePanel_->LoadProfileList();
    profilePanel_->SelectTab(1);
    SetProfileId(profilePanel_->GetCurrentProfileId());
    AttachPanels();
}

void CZelvaneUSBDevice::SetProfileId(const QString& id) {
    core_->SetProfileId(id.toStdString());
}

void CZelvaneUSBDevice::SetFolderName(const QString& name) {
    core_->SetFolderName(name.toStdString());
}

void CZelvaneUSBDevice::SetLightFileName(const QString& name) {
    core_->SetLightFileName(name.toStdString());
}

void CZelvaneUSBDevice::ShowPictureLabels() {
    for (QLabel* label : findChildren<QLabel*>()) {
        const QVariant picture = label->property("picture");
        if (!picture.isValid()) {
            continue;
        }
        label->setPixmap(ui::LoadPicture(picture.toString()));
        label->setScaledContents(true);
        // The picture lies under the key buttons and must not take their clicks or the
        // select panel's drag.
        label->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        label->lower();
    }
}

void CZelvaneUSBDevice::BindKeyAndLightButton(appearance::CDeviceKeyButtonUI* button) {
    int number = 0;
    if (MatchIndexed(button->objectName(), QStringLiteral("key_"), &number)) {
        if (number < static_cast<int>(keyButtons_.size())) {
            keyButtons_[static_cast<std::size_t>(number)] = button;
        }
    } else if (MatchIndexed(button->objectName(), QStringLiteral("light_"), &number)) {
        if (number < static_cast<int>(lightButtons_.size())) {
            lightButtons_[static_cast<std::size_t>(number)] = button;
            button->ShowLightColour(kWhite, 255);
        }
    }
}

void CZelvaneUSBDevice::BindControls() {
    ShowPictureLabels();
    if (pageXml_.isEmpty()) {
        core_->SetKeyCount(0);
        core_->SetLedCount(0);
        keyButtons_.clear();
        lightButtons_.clear();
        lastFrame_.clear();
        return;
    }
    const QList<QWidget*> panels = ui::ChildrenOfClass(this, QStringLiteral("SelectPanel"));
    if (panels.isEmpty()) {
        return;
    }
    selectPanel_ = panels.front();
    for (QWidget* child : ui::ChildrenOfClass(selectPanel_, QStringLiteral("DeviceKeyButton"))) {
        if (auto* button = qobject_cast<appearance::CDeviceKeyButtonUI*>(child)) {
            BindKeyAndLightButton(button);
        }
    }
}

bool CZelvaneUSBDevice::OpenCommandInterface(const QString& path, bool receiverMode) {
    return core_->OpenCommandInterface(path.toStdString(), receiverMode);
}

void CZelvaneUSBDevice::CloseCommandInterface() {
    core_->CloseCommandInterface();
}

bool CZelvaneUSBDevice::OpenEventInterface(const QString& path) {
    return core_->OpenEventInterface(path.toStdString());
}

void CZelvaneUSBDevice::CloseEventInterface() {
    core_->CloseEventInterface();
}

bool CZelvaneUSBDevice::ReopenEventInterface(const QString& path) {
    return core_->ReopenEventInterface(path.toStdString());
}

int CZelvaneUSBDevice::WriteSettings() {
    const QSize screen = PrimaryScreenPixels();
    return core_->WriteSettings(0, 0, 1, screen.width(), screen.height());
}

bool CZelvaneUSBDevice::ShowLightFrame() {
    frameChanged_ = false;
    core_->ShowLightFrame();
    return frameChanged_;
}

void CZelvaneUSBDevice::OnLightFrame(std::span<const devices::LedColour> leds) {
    if (lastFrame_.size() != leds.size()) {
        lastFrame_.assign(leds.begin(), leds.end());
        frameChanged_ = true;
    } else if (!std::equal(leds.begin(), leds.end(), lastFrame_.begin())) {
        std::copy(leds.begin(), leds.end(), lastFrame_.begin());
        frameChanged_ = true;
    }
    ShowLedFrame(leds);
}

void CZelvaneUSBDevice::ShowLedFrame(std::span<const devices::LedColour> leds) {
    const std::size_t count = std::min(leds.size(), lightButtons_.size());
    for (std::size_t i = 0; i < count; ++i) {
        appearance::CDeviceKeyButtonUI* button = lightButtons_[i];
        if (button != nullptr && button->isVisible()) {
            button->ShowLightColour(devices::PreviewColourWord(leds[i]), leds[i].alpha);
        }
    }
}

void CZelvaneUSBDevice::OnStatusRead(const std::array<std::uint8_t, 6>& status) {
    if (powerControl_ != nullptr) {
        powerControl_->ApplyStatusRecord(status.data(), status.size());
    }
}

void CZelvaneUSBDevice::OnDeviceMessage(int message, int value) {
    emit deviceMessage(message, value);
}

void CZelvaneUSBDevice::RequestEntryTimer(int timerId, int delayMs) {
    // Comes from the listener thread: the entry is looked at on the UI thread only. A page that
    // is gone by then takes the call with it.
    QMetaObject::invokeMethod(
        this,
        [this, timerId, delayMs] {
            if (optionEntry_ != nullptr) {
                optionEntry_->RequestTimer(timerId, delayMs);
            }
        },
        Qt::QueuedConnection);
}

void CZelvaneUSBDevice::SetOptionEntry(appearance::CDeviceOptionUI* entry) {
    optionEntry_ = entry;
}

appearance::CDeviceOptionUI* CZelvaneUSBDevice::GetOptionEntry() const {
    return optionEntry_;
}

void CZelvaneUSBDevice::SetFunctionMode(int mode) {
    const devices::FunctionPages pages = core_->SetFunctionMode(mode);
    if (functionSwitch_ == nullptr) {
        functionSwitch_ =
            ui::FindControlAs<ui::TabLayout>(this, QStringLiteral("device_function_switch"));
    }
    if (keyFunctionSwitch_ == nullptr) {
        keyFunctionSwitch_ =
            ui::FindControlAs<ui::TabLayout>(this, QStringLiteral("device_key_function_switch"));
    }
    if (functionSwitch_ == nullptr || keyFunctionSwitch_ == nullptr) {
        return;
    }
    if (pages.functionPage >= 0) {
        functionSwitch_->SelectItem(pages.functionPage);
    }
    if (pages.keyFunctionPage >= 0) {
        keyFunctionSwitch_->SelectItem(pages.keyFunctionPage);
    }
}

void CZelvaneUSBDevice::SelectKey(int index) {
    core_->SelectKey(index);
    if (keypanel::CKeySetControlUI* panel = KeySetPanel(); panel != nullptr) {
        panel->ShowKey(index);
    }
}
