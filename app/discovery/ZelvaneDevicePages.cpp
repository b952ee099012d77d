#include "app/discovery/ZelvaneDevicePages.h"

#include "devices/page/ZelvaneMouseDevice.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "lighting/panel/LightControlUI.h"

namespace discovery {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class CZelvaneDevicePage : public IDevicePage {
public:
    explicit CZelvaneDevicePage(CZelvaneUSBDevice* device) : device_(device) {}

    QWidget* Widget() override { return device_; }
    devices::CUsbDeviceCore& Core() override { return device_->Core(); }
    appearance::DeviceOptionTarget* OptionTarget() override { return device_; }

    void Configure(const DevicePageSetup& setup) override {
        const DeviceKindRow& row = *setup.row;
        device_->SetPageXml(Text(row.pageLayout));
        device_->SetMainWindow(setup.mainWindow);
        device_->SetKeyCount(row.keyCount);
        device_->SetLedCount(row.ledCount);
        device_->SetStatusPolling(row.statusPolling);
        device_->SetProfileId(QString::fromStdString(setup.profileName));
        device_->SetFolderName(Text(row.folderName));
        device_->SetPowerControl(setup.powerControl);
        device_->SetSlotRecord(setup.slotRecord);
        device_->SetDeviceNumber(row.deviceNumber);
        device_->SetLightFileName(Text(row.lightFileName));
        device_->BindControls();
        device_->LoadProfilePanel();
    }

    void SetSameModeOffered(bool offered) override {
        if (lightpanel::CLightControlUI* light = device_->LightPanel()) {
            light->SetSameModeAllowed(offered);
        }
    }
    void ApplyLightFromOutside() override { device_->RefreshControls(); }
    void OnLanguageChanged() override { device_->RefreshControls(); }

private:
    CZelvaneUSBDevice* device_;
};

template <class Page>
std::unique_ptr<IDevicePage> Adapt(QWidget* built) {
    auto* page = qobject_cast<Page*>(built);
    return page != nullptr ? std::make_unique<CZelvaneDevicePage>(page) : nullptr;
}

}  // namespace

std::unique_ptr<IDevicePage> AdaptZelvanePage(QWidget* built) {
    return Adapt<CZelvaneUSBDevice>(built);
}

std::vector<DevicePageClass> ZelvaneDevicePageClasses() {
    return {{hid::kKindMouse, &Adapt<CZelvaneMouseDevice>, QString()}};
}

}  // namespace discovery
