#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hid {

// Device kind codes.
inline constexpr std::uint16_t kKindKeyboard = 1;
inline constexpr std::uint16_t kKindMouse = 2;
inline constexpr std::uint16_t kKindMousePad = 3;
inline constexpr std::uint16_t kKindWirelessMouse = 6;
inline constexpr std::uint16_t kKindHeadset = 7;

// Interface roles.
inline constexpr std::uint16_t kRoleCommand = 0;
inline constexpr std::uint16_t kRoleEvent = 255;

// Identification of one HID interface, and of one slot of the supported interface table.
struct HidInterfaceId {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t interfaceNumber = 0;
    std::uint16_t collectionNumber = 0;
    std::uint16_t deviceKind = 0;
    std::uint16_t interfaceRole = 0;
    std::uint16_t connected = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t pairFlag = 0;
    std::uint16_t pairSlot = 0;
    std::string path;
};

// Compares what identifies an interface; connected, pairing and path are left out.
bool operator==(const HidInterfaceId& a, const HidInterfaceId& b);

inline constexpr std::size_t kHidInterfaceTableSize = 7;

// The supported interfaces, in slot order. Rows with zero ids never match a real interface.
const std::array<HidInterfaceId, kHidInterfaceTableSize>& HidInterfaceTable();

// Identifiers carried by an interface path: the tag is found case-insensitively and the hex
// number right after it is read up to the first non-hex character; 0 when absent.
std::uint16_t ParseVendorId(std::string_view path);
std::uint16_t ParseProductId(std::string_view path);
std::uint16_t ParseInterfaceNumber(std::string_view path);
std::uint16_t ParseCollectionNumber(std::string_view path);

}  // namespace hid
