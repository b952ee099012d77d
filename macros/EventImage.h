#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "macros/MacroEvent.h"

// The byte image the mouse and keyboard keep in their macro and shoot areas, little-endian:
// magic AA 55, u16 total length, u16 record count M, 10 reserved bytes, M u16 offsets from the
// start of the image, then per record a u16 event count, 2 reserved bytes and the 4-byte events.
namespace macros {

inline constexpr std::uint16_t kEventImageMagic = 0x55AA;
inline constexpr std::size_t kEventImageHeaderBytes = 16;

// 16 + 6M + 4 × (all events).
std::size_t EventImageLength(const std::vector<std::vector<DeviceEventRecord>>& records);

// The image; empty when its length or an event count cannot be expressed in 16 bits, because a
// wrapped length would make the device read a different image. Reserved bytes are 0.
std::vector<std::uint8_t> BuildEventImage(
    const std::vector<std::vector<DeviceEventRecord>>& records);

}  // namespace macros
