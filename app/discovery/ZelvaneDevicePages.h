#pragma once

#include <vector>

#include "app/discovery/DevicePage.h"

namespace discovery {

// The device classes that exist, for device switching: the pages built on CZelvaneUSBDevice
// (the mouse now; the keyboard, pad and headset classes are added here when they exist).
std::vector<DevicePageClass> ZelvaneDevicePageClasses();
// The adapter of any page built on CZelvaneUSBDevice; null for another widget.
std::unique_ptr<IDevicePage> AdaptZelvanePage(QWidget* built);

}  // namespace discovery
