#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace discovery {

// One row of the device kind table: how a device kind's entry, page and device are built.
struct DeviceKindRow {
    std::string_view entryLayout;
    std::string_view entryGroup;
    std::string_view powerContainer;
    std::string_view folderName;
    int deviceNumber = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t kind = 0;
    std::uint16_t extraKey = 0;
    std::string_view pageLayout;
    int ledCount = 0;
    int keyCount = 0;
    int statusPolling = 0;
    int initialSelectedLed = -1;
    std::string_view lightFileName;
};

inline constexpr std::size_t kDeviceKindCount = 4;
inline constexpr std::string_view kPowerLayout = "XML\\CustomControlXML\\MpDevicePower.xml";

// Mouse, keyboard, mouse pad, headset: the order of the device list.
const std::array<DeviceKindRow, kDeviceKindCount>& DeviceKindTable();

// The row of (vendor, product, kind, extra key); a mouse through a receiver (kind 6) is looked
// up as a mouse on a cable. Null when no row matches.
const DeviceKindRow* FindDeviceKindRow(std::uint16_t vendorId, std::uint16_t productId,
                                       std::uint16_t kind, std::uint16_t extraKey);

}  // namespace discovery
