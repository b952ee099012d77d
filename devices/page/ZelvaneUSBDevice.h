#pragma once

#include <memory>
#include <span>
#include <vector>

#include <QFrame>
#include <QPointer>
#include <QString>

#include "appearance/DeviceOptionTarget.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "devices/core/DeviceCoreListener.h"
#include "devices/core/UsbDeviceCore.h"

#include "ui/TabLayout.h"

namespace appearance {
class CDeviceKeyButtonUI;
}
namespace profilepanel {
class CDeviceProfileUI;
}
namespace keypanel {
class CKeySetControlUI;
}
namespace lightpanel {
class CLightControlUI;
}
namespace macropanel {
class CMacroControlUI;
}
namespace shootpanel {
class CShootControlUI;
}

// The root widget of a device page and the owner of its device core. The main window builds
// the page from the kind's layout file (the root element names the kind's class), configures it
// with the setters below in their order, binds it and opens and closes its interfaces on
// arrival and removal. The device list entry drives it through DeviceOptionTarget; the core
// reports back through IDeviceCoreListener.
class CZelvaneUSBDevice : public QFrame,
                          public appearance::DeviceOptionTarget,
                          public devices::IDeviceCoreListener {
    Q_OBJECT
public:
    CZelvaneUSBDevice(QWidget* parent, std::unique_ptr<devices::CUsbDeviceCore> core);
    ~CZelvaneUSBDevice() override;

    devices::CUsbDeviceCore& Core() { return *core_; }
    const devices::CUsbDeviceCore& Core() const { return *core_; }

    // Configuration by the main window, in this order, then BindControls.
    void SetPageXml(const QString& path) { pageXml_ = path; }
    QString GetPageXml() const { return pageXml_; }
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    QWidget* GetMainWindow() const { return mainWindow_; }
    void SetKeyCount(int n);
    void SetLedCount(int n);
    void SetStatusPolling(int value);
    void SetProfileId(const QString& id);
    void SetFolderName(const QString& name);
    void SetPowerControl(appearance::CMpDevicePowerUI* control);
    appearance::CMpDevicePowerUI* GetPowerControl() const { return powerControl_; }
    void SetSlotRecord(const hid::HidInterfaceId& record) { core_->SetSlotRecord(record); }
    hid::HidInterfaceId GetSlotRecord() const { return core_->GetSlotRecord(); }
    virtual void SetDeviceNumber(int n) { core_->SetDeviceNumber(n); }
    int GetDeviceNumber() const { return core_->GetDeviceNumber(); }
    void SetLightFileName(const QString& name);
    int GetDeviceKind() const { return core_->GetDeviceKind(); }
    int GetLedCount() const { return core_->GetLedCount(); }

    // Finds the select panel and its key and light buttons.
    virtual void BindControls();
    // After BindControls: the profile panel loads or creates the profile list and the page
    // takes its selected profile.
    void LoadProfilePanel();
    // Null until LoadProfilePanel.
    profilepanel::CDeviceProfileUI* ProfilePanel() const { return profilePanel_.get(); }
    // The panels the page's layout holds ("KeySetControlItem", "LightControlItem",
    // "MacroControlItem", "ShootControlItem"); null where it has none. Found and attached at the
    // end of LoadProfilePanel.
    keypanel::CKeySetControlUI* KeySetPanel() const;
    lightpanel::CLightControlUI* LightPanel() const;
    macropanel::CMacroControlUI* MacroPanel() const;
    shootpanel::CShootControlUI* ShootPanel() const;

    // Interfaces, opened and closed by discovery.
    bool OpenCommandInterface(const QString& path, bool receiverMode);
    void CloseCommandInterface();
    bool OpenEventInterface(const QString& path);
    void CloseEventInterface();
    bool ReopenEventInterface(const QString& path);

    // Device operations (the core does the work; the page shows what it reports).
    void OpenDevice() override { core_->OpenDevice(); }
    void RefreshFromDevice() override { core_->RefreshFromDevice(); }
    void RefreshStatus() override { core_->RefreshStatus(); }
    bool ShowLightFrame() override;
    int LoadProfileState() { return core_->LoadProfileState(); }
    int ApplyProfileState() { return core_->ApplyProfileState(); }
    virtual void RefreshControls() { core_->RefreshControls(); }
    void ValidateMacroKeys() { core_->ValidateMacroKeys(); }
    void LoadDefaultProfileState() { core_->LoadDefaultProfileState(); }
    int WriteKeys(int profile) { return core_->WriteKeys(profile); }
    int DownloadMacros() { return core_->DownloadMacros(); }
    // The write after a change: profile slot 0, byte 0 0, flag 1, the primary screen's size.
    int WriteSettings();
    void SaveProfile() { core_->SaveProfile(); }

    void SetLiveLight(bool on) { core_->SetLiveLight(on); }
    void SetWindowActive(bool on) { core_->SetWindowActive(on); }
    bool IsWindowActive() const override { return core_->GetWindowActive(); }
    // Shows the function pages of the mode in "device_function_switch" and
    // "device_key_function_switch" (looked up on first use).
    void SetFunctionMode(int mode);
    int GetFunctionMode() const { return core_->GetFunctionMode(); }
    virtual void SelectKey(int index);

    int GetStatusPolling() const override { return core_->GetStatusPolling(); }
    bool IsCommandChannelOpen() const override { return core_->IsCommandOpen(); }
    void SetOptionEntry(appearance::CDeviceOptionUI* entry) override;
    appearance::CDeviceOptionUI* GetOptionEntry() const;

    QWidget* SelectPanel() const { return selectPanel_; }
    const std::vector<appearance::CDeviceKeyButtonUI*>& KeyButtons() const { return keyButtons_; }
    const std::vector<appearance::CDeviceKeyButtonUI*>& LightButtons() const {
        return lightButtons_;
    }

    // The primary screen's size in device pixels, taken when the page is made.
    static QSize PrimaryScreenPixels();

signals:
    // The device messages 0xD00 (profile number) and 0xD01 (status byte); nothing acts on them.
    void deviceMessage(int message, int value);

protected:
    // IDeviceCoreListener
    void OnStatusRead(const std::array<std::uint8_t, 6>& status) override;
    void OnDeviceMessage(int message, int value) override;
    void OnLightFrame(std::span<const devices::LedColour> leds) override;
    void RequestEntryTimer(int timerId, int delayMs) override;

    // The kinds show a frame on their own preview controls; the base shows the light buttons.
    virtual void ShowLedFrame(std::span<const devices::LedColour> leds);
    // Hooks the core to this page; the kinds call it once their members exist.
    void AttachCore();
    // Stops the core's threads before the page goes; the kinds call it first in their destructors.
    void DetachCore();
    void BindKeyAndLightButton(appearance::CDeviceKeyButtonUI* button);
    // Every attached panel shows the core's state again.
    void RefreshPanels();
    // Fills the labels that name a skin picture ("picture" property) below the page.
    void ShowPictureLabels();

    QWidget* selectPanel_ = nullptr;
    std::vector<appearance::CDeviceKeyButtonUI*> keyButtons_;
    std::vector<appearance::CDeviceKeyButtonUI*> lightButtons_;

private:
    class PanelDevice;
    class PanelPage;
    struct Panels;

    void AttachPanels();

    std::unique_ptr<devices::CUsbDeviceCore> core_;
    std::unique_ptr<PanelDevice> panelDevice_;
    std::unique_ptr<profilepanel::CDeviceProfileUI> profilePanel_;
    std::unique_ptr<PanelPage> panelPage_;
    std::unique_ptr<Panels> panels_;
    QString pageXml_;
    QPointer<QWidget> mainWindow_;
    QPointer<appearance::CMpDevicePowerUI> powerControl_;
    QPointer<appearance::CDeviceOptionUI> optionEntry_;
    QPointer<ui::TabLayout> functionSwitch_;
    QPointer<ui::TabLayout> keyFunctionSwitch_;
    std::vector<devices::LedColour> lastFrame_;  // sized with the LED count, reused per frame
    bool frameChanged_ = false;
    bool attached_ = false;
};
