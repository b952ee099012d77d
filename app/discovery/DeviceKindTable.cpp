#include "app/discovery/DeviceKindTable.h"

#include "hid/HidInterfaceId.h"

namespace discovery {

namespace {

constexpr std::string_view kEntryLayout = "XML\\CustomControlXML\\DeviceOption.xml";
constexpr std::string_view kEntryGroup = "tab_header_device";
constexpr std::string_view kPowerContainer = "device_power_switch";
constexpr std::string_view kLightFile = "tamric_light";

constexpr std::array<DeviceKindRow, kDeviceKindCount> kRows = {{
    {kEntryLayout, kEntryGroup, kPowerContainer, "mouse", 1, 0x320F, 0x2210, hid::kKindMouse, 0,
     "XML\\DeviceXml\\mousedevice.xml", 0, 8, 0, -1, kLightFile},
    {kEntryLayout, kEntryGroup, kPowerContainer, "keyboard", 0, 0, 0, hid::kKindKeyboard, 0,
     "XML\\DeviceXml\\keyboarddevice.xml", 126, 126, 0, -1, kLightFile},
    {kEntryLayout, kEntryGroup, kPowerContainer, "MousePad", 2, 0, 0, hid::kKindMousePad, 0,
     "XML\\DeviceXml\\mousepaddevice.xml", 15, 0, 0, -1, kLightFile},
    {kEntryLayout, kEntryGroup, kPowerContainer, "HD", 3, 0, 0, hid::kKindHeadset, 0,
     "XML\\DeviceXml\\hs6533device.xml", 13, 0, 0, -1, kLightFile},
}};

}  // namespace

const std::array<DeviceKindRow, kDeviceKindCount>& DeviceKindTable() {
    return kRows;
}

const DeviceKindRow* FindDeviceKindRow(std::uint16_t vendorId, std::uint16_t productId,
                                       std::uint16_t kind, std::uint16_t extraKey) {
    if (kind == hid::kKindWirelessMouse) {
        kind = hid::kKindMouse;
    }
    for (const DeviceKindRow& row : kRows) {
        if (row.vendorId == vendorId && row.productId == productId && row.kind == kind &&
            row.extraKey == extraKey) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace discovery
