#pragma once

#include <cstdint>
#include <vector>

// The report descriptors of the emulated ZR-310, laid out as the real mouse presents them.
namespace sim {

inline constexpr std::uint16_t kMouseVendorId = 0x320F;
inline constexpr std::uint16_t kMouseProductId = 0x2210;
inline constexpr std::uint16_t kMouseVersion = 0x0102;

// Report ids of interface 1.
inline constexpr std::uint8_t kKeyboardReportId = 1;
inline constexpr std::uint8_t kSystemControlReportId = 2;
inline constexpr std::uint8_t kConsumerReportId = 3;
inline constexpr std::uint8_t kVendorReportId = 4;

// Interface 0: one boot-mouse pointer collection (buttons, 16-bit X and Y, wheel), no report id.
const std::vector<std::uint8_t>& MousePointerDescriptor();
// Interface 1: keyboard, system control, consumer control (collection 3) and the vendor
// command collection 0xFF1C/0x92 with 63-byte input and output reports (collection 4).
const std::vector<std::uint8_t>& MouseMultiDescriptor();

}  // namespace sim
