#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "devices/core/MouseRecords.h"
#include "profiles/ProfileRecords.h"

// The mouse's per-profile settings block: 53 bytes at profile × 128, written as 57.
namespace devices {

inline constexpr std::size_t kMouseSettingsSize = 53;
inline constexpr std::size_t kMouseSettingsWriteSize = 57;
inline constexpr std::size_t kMouseSettingsSlot = 128;

struct MouseSettingsInput {
    std::uint8_t byte0 = 0;
    LightInfoRecord light;
    std::vector<DpiStage> stages;
    std::uint8_t activeStage = 0;
    std::uint8_t reportRate = 0;
    std::uint16_t scorllPage = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    bool receiverMode = false;
};

// Effects 9 and above are sent as 0; in receiver mode the speed goes as 5 - Speed.
std::array<std::uint8_t, kMouseSettingsWriteSize> BuildMouseSettingsBlock(
    const MouseSettingsInput& input);

// The state a read block carries; profile is the separately read current profile.
MouseDeviceState ParseMouseSettingsBlock(const std::uint8_t* block, std::uint8_t profile);

}  // namespace devices
