#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/core/LedColour.h"
#include "profiles/ProfileRecords.h"

// The light preview frames as plain functions: each step reads the light settings and the
// animation state and writes one frame into the LED list. Times are monotonic milliseconds.
namespace devices::lightsteps {

inline constexpr std::size_t kLevelCount = 126;
inline constexpr std::size_t kRingSize = 23;

// What the steps remember between frames.
struct LightAnimation {
    std::uint8_t phase = 0;
    std::uint8_t colourStep = 0;
    std::uint8_t blinkOn = 0;
    std::uint64_t lastTickMs = 0;
    std::array<std::uint8_t, kLevelCount> levels{};
    std::array<std::uint8_t, kRingSize> ring{};
};

// direction != 0: value + step, 0 once it reaches period; direction 0: value - step, and
// period - step when it went below 0.
std::uint8_t AdvancePhase(std::uint8_t direction, std::uint8_t period, std::uint8_t value,
                          std::uint8_t step);

void StepBreatheWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds);
void StepBreatheFour(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds);
void StepStatic(const LightInfoRecord& s, std::span<LedColour> leds);
void StepWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds);
void StepBlinkWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds,
                    std::uint64_t nowMs);
void StepBlinkFour(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds,
                   std::uint64_t nowMs);
void StepOff(std::span<LedColour> leds);

// Ripple operations.
void DecayLevel(LightAnimation& a, std::size_t group, bool fast);
// Ring entries 0 to lastRingEntry that are non-zero fill their group's level (255).
void RefillLevels(LightAnimation& a, std::size_t lastRingEntry = 8);
void ShiftRing(LightAnimation& a, bool towardHigher);
void ClearLevels(LightAnimation& a);

// The mouse's steps of effects 0 and 5.
void StepSpectrumEffect(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds);
void StepStageColourEffect(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds);

}  // namespace devices::lightsteps
