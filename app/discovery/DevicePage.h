#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/discovery/DeviceKindTable.h"
#include "hid/HidInterfaceId.h"

class QWidget;

namespace appearance {
class CMpDevicePowerUI;
class DeviceOptionTarget;
}  // namespace appearance

namespace devices {
class CUsbDeviceCore;
}

namespace discovery {

// What creating a device hands its page (the setter sequence of device creation).
struct DevicePageSetup {
    const DeviceKindRow* row = nullptr;
    hid::HidInterfaceId slotRecord;
    appearance::CMpDevicePowerUI* powerControl = nullptr;
    QWidget* mainWindow = nullptr;
    std::string profileName;
};

// A device page as device switching sees it: the widget the page layout built, the device core
// it owns, and what its entry in the device list drives. One adapter per device class.
class IDevicePage {
public:
    virtual ~IDevicePage() = default;

    virtual QWidget* Widget() = 0;
    virtual devices::CUsbDeviceCore& Core() = 0;
    virtual appearance::DeviceOptionTarget* OptionTarget() = 0;

    // SetPageXml, SetMainWindow, SetKeyCount, SetLedCount, SetStatusPolling (and the initial
    // selected LED), SetProfileId, SetFolderName, SetPowerControl, SetSlotRecord,
    // SetDeviceNumber, SetLightFileName, BindControls.
    virtual void Configure(const DevicePageSetup& setup) = 0;

    // The light panel offers the same-mode choice only while more than one device is listed.
    virtual void SetSameModeOffered(bool /*offered*/) {}
    // The light settings changed from outside the page (light synchronisation): save the
    // profile, apply it to the device and show it.
    virtual void ApplyLightFromOutside() {}
    // The interface language changed: key texts are shown again.
    virtual void OnLanguageChanged() {}
};

// The device class of a kind: makes the adapter for the widget that its page layout built, or
// null when that widget is not of the class.
struct DevicePageClass {
    std::uint16_t kind = 0;
    std::function<std::unique_ptr<IDevicePage>(QWidget* builtPage)> adapt;
    // The page layout, when the class brings its own instead of the kind table's.
    QString pageLayout;
};

}  // namespace discovery
