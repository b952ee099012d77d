#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "devices/core/LedColour.h"
#include "profiles/ProfileRecords.h"

namespace devices {

// The steps of the selected user light and where the player is in them; guarded by the
// device's lightStepLock.
struct UserLightSteps {
    std::vector<LightEffectStep> steps;
    std::size_t index = 0;
    std::size_t count = 0;
};

// Plays a user light (effects from the first user light number on), one call per preview tick.
// Its animation state is its own (one per device, not shared between devices).
class CUserLightPlayer {
public:
    // One tick. blinkSpeed is the light setting's Speed (the blink interval of mode 2).
    void Step(std::recursive_mutex& lightStepLock, UserLightSteps& lightSteps,
              std::uint8_t blinkSpeed, std::span<LedColour> leds, std::uint64_t nowMs);
    void Reset();

private:
    unsigned passes_ = 0;
    std::uint8_t phase_ = 0;
    bool started_ = false;
    std::uint64_t stepStartMs_ = 0;
    bool blinkOn_ = false;
    std::uint64_t blinkToggleMs_ = 0;
    std::uint8_t blinkWheel_ = 0;
};

}  // namespace devices
