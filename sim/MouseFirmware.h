#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/FirmwareConfig.h"

namespace sim {

// The memory of a factory-fresh emulated ZR-310 mouse.
inline constexpr std::size_t kMouseKeySlots = 16;
inline constexpr std::uint8_t kMouseMacroUnits = 32;  // macro area in 128-byte units
inline constexpr std::uint8_t kMouseDpiStep = 50;
inline constexpr std::uint16_t kMouseMaxDpiSlider = 520;  // 26000 DPI
inline constexpr std::size_t kMouseProfiles = 5;
inline constexpr std::size_t kMouseShootCapacity = 4096;

// Device information bytes the host reads.
inline constexpr std::size_t kInfoKeySlots = 5;
inline constexpr std::size_t kInfoMacroUnits = 6;
inline constexpr std::size_t kInfoDpiStep = 11;
inline constexpr std::size_t kInfoMaxDpiSlider = 12;  // u16, little-endian

FirmwareConfig MouseFirmwareConfig();

// Sets the key slot count in the information block and resizes the key areas to match.
void SetKeySlotCount(FirmwareConfig& config, std::size_t slots);

}  // namespace sim
