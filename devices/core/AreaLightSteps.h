#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "devices/core/LedColour.h"
#include "profiles/ProfileRecords.h"

namespace devices {

// The per-LED animations of the profile's "LightList": entry i drives LED i by its LEDREGMode.
// Callers hold the device's lightLock.
class CAreaLightSteps {
public:
    // Resets the per-LED state for the list and LED count.
    void Init(const std::vector<LightListEntry>& list, std::size_t ledCount);
    // One frame of the entries whose LEDREGMode is `mode` (0 breathing, 1 static, 2 blinking,
    // 3 wheel, 4 dark).
    void RunMode(int mode, const std::vector<LightListEntry>& list, std::span<LedColour> leds,
                 std::uint64_t nowMs);

private:
    struct LedState {
        std::uint8_t breath = 0;
        std::uint8_t breathWheel = 0;
        bool blinkOn = false;
        std::uint64_t toggleMs = 0;
        std::uint32_t intervalMs = 0;
        std::uint8_t blinkWheel = 0;
        std::uint32_t wheelCount = 0;
        std::uint32_t wheelLimit = 0;
        std::uint8_t wheel = 0;
    };
    std::vector<LedState> state_;
};

}  // namespace devices
