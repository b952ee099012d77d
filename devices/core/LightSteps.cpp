#include "devices/core/LightSteps.h"

#include <algorithm>

#include "devices/core/LightTables.h"

namespace devices::lightsteps {
namespace {

using lighttables::kWheel;
using lighttables::kWheelSize;
using lighttables::Rgb;

void Fill(std::span<LedColour> leds, Rgb colour, std::uint8_t alpha) {
    for (LedColour& led : leds) {
        led = {colour.red, colour.green, colour.blue, alpha};
    }
}

Rgb SettingColour(const LightInfoRecord& s) {
    return {s.red, s.green, s.blue};
}

std::uint8_t Scaled(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>(a * b / 256);
}

// A blink step's timing: true when the state flipped now.
bool BlinkDue(LightAnimation& a, const LightInfoRecord& s, std::uint64_t nowMs) {
    const std::uint64_t interval = lighttables::BlinkIntervalMs(s.speed);
    if (nowMs - a.lastTickMs < interval) {
        return false;
    }
    a.blinkOn = a.blinkOn ? 0 : 1;
    a.lastTickMs = nowMs;
    return true;
}

// LEDs of the stage colour groups; 255 ends a group.
constexpr std::uint8_t kEnd = 255;
constexpr std::uint8_t kStageGroups[9][3] = {{0, 18, 18},   {1, 17, kEnd}, {2, 16, kEnd},
                                             {3, 15, kEnd}, {4, 14, kEnd}, {5, 13, kEnd},
                                             {6, 12, kEnd}, {7, 9, 11},    {8, 9, 10}};

}  // namespace

std::uint8_t AdvancePhase(std::uint8_t direction, std::uint8_t period, std::uint8_t value,
                          std::uint8_t step) {
    if (direction != 0) {
        const unsigned next = static_cast<unsigned>(value) + step;
        return next >= period ? 0 : static_cast<std::uint8_t>(next);
    }
    // Byte arithmetic: going below 0 wraps to a value not below the period.
    const auto next = static_cast<std::uint8_t>(value - step);
    return next >= period ? static_cast<std::uint8_t>(period - step) : next;
}

void StepBreatheWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds) {
    a.phase = AdvancePhase(s.fx, 128, a.phase, 1);
    if (a.phase == 0) {
        a.colourStep = static_cast<std::uint8_t>(a.colourStep + 16);
    }
    if (a.colourStep >= kWheelSize) {
        a.colourStep = 0;
    }
    const Rgb colour = s.multiColor ? kWheel[a.colourStep] : SettingColour(s);
    Fill(leds, colour,
         Scaled(lighttables::kBreathing128[a.phase % 128], lighttables::Brightness(s.light)));
}

void StepBreatheFour(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds) {
    a.phase = AdvancePhase(s.fx, 128, a.phase, 1);
    if (a.phase == 0) {
        ++a.colourStep;
    }
    // Also after another effect left a wheel index here.
    if (a.colourStep > 3) {
        a.colourStep = 0;
    }
    Fill(leds, lighttables::kFourColours[a.colourStep],
         Scaled(lighttables::kBreathing128[a.phase % 128], lighttables::Brightness(s.light)));
}

void StepStatic(const LightInfoRecord& s, std::span<LedColour> leds) {
    Fill(leds, SettingColour(s), lighttables::Brightness(s.light));
}

void StepWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds) {
    a.phase = AdvancePhase(s.fx, 192, a.phase, 1);
    Fill(leds, kWheel[a.phase % kWheelSize], lighttables::Brightness(s.light));
}

void StepBlinkWheel(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds,
                    std::uint64_t nowMs) {
    if (BlinkDue(a, s, nowMs)) {
        a.phase = static_cast<std::uint8_t>(a.phase + 16);
        if (a.phase > 191) {
            a.phase = 0;
        }
    }
    if (a.blinkOn) {
        Fill(leds, s.multiColor ? kWheel[a.phase % kWheelSize] : SettingColour(s),
             lighttables::Brightness(s.light));
    } else {
        StepOff(leds);
    }
}

void StepBlinkFour(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds,
                   std::uint64_t nowMs) {
    if (BlinkDue(a, s, nowMs)) {
        ++a.phase;
    }
    if (a.phase > 3) {
        a.phase = 0;
    }
    if (a.blinkOn) {
        Fill(leds, lighttables::kFourColours[a.phase], lighttables::Brightness(s.light));
    } else {
        StepOff(leds);
    }
}

void StepOff(std::span<LedColour> leds) {
    std::fill(leds.begin(), leds.end(), LedColour{});
}

void DecayLevel(LightAnimation& a, std::size_t group, bool fast) {
    if (group >= a.levels.size()) {
        return;
    }
    std::uint8_t& v = a.levels[group];
    if (v >= 128) {
        v = static_cast<std::uint8_t>(v - 40);
    } else if (v >= 64) {
        v = static_cast<std::uint8_t>(v - 30);
    } else if (v >= 32) {
        v = static_cast<std::uint8_t>(v - 10);
    } else if (v > 16) {
        v = static_cast<std::uint8_t>(v - 8);
    } else if (v > 0) {
        v = fast ? static_cast<std::uint8_t>(v - 1) : static_cast<std::uint8_t>(v > 4 ? v - 4 : 0);
    }
}

void RefillLevels(LightAnimation& a, std::size_t lastRingEntry) {
    for (std::size_t i = 0; i <= lastRingEntry && i < a.ring.size(); ++i) {
        if (a.ring[i] != 0) {
            a.levels[i] = 255;
        }
    }
}

void ShiftRing(LightAnimation& a, bool towardHigher) {
    if (towardHigher) {
        std::rotate(a.ring.rbegin(), a.ring.rbegin() + 1, a.ring.rend());
    } else {
        std::rotate(a.ring.begin(), a.ring.begin() + 1, a.ring.end());
    }
}

void ClearLevels(LightAnimation& a) {
    a.levels.fill(0);
    a.ring.fill(0);
}

void StepSpectrumEffect(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds) {
    const std::uint8_t brightness = lighttables::Brightness(s.light);
    if (s.multiColor) {
        a.phase = AdvancePhase(s.fx, 192, a.phase, 1);
        std::size_t k = (a.phase + 1u) % kWheelSize;
        for (LedColour& led : leds) {
            const Rgb c = kWheel[k];
            led = {c.red, c.green, c.blue, brightness};
            k = (k + 7) % kWheelSize;
        }
        return;
    }
    a.phase = AdvancePhase(s.fx, 96, a.phase, 1);
    std::size_t k = (a.phase + 1u) % lighttables::kBreathing96Size;
    for (LedColour& led : leds) {
        led = {s.red, s.green, s.blue, Scaled(brightness, lighttables::kBreathing96[k])};
        k = (k + 7) % lighttables::kBreathing96Size;
    }
}

void StepStageColourEffect(LightAnimation& a, const LightInfoRecord& s, std::span<LedColour> leds) {
    a.phase = AdvancePhase(s.fx, 192, a.phase, 1);
    RefillLevels(a);
    ShiftRing(a, s.fx != 0);
    const std::uint8_t brightness = lighttables::Brightness(s.light);
    for (std::size_t g = 0; g < 9; ++g) {
        DecayLevel(a, g, s.selectItem != 0);
        Rgb colour = SettingColour(s);
        if (s.multiColor) {
            a.phase = static_cast<std::uint8_t>((a.phase + 12u) % kWheelSize);
            colour = kWheel[a.phase];
        }
        const std::uint8_t alpha = Scaled(brightness, a.levels[g]);
        for (std::uint8_t led : kStageGroups[g]) {
            if (led != kEnd && led < leds.size()) {
                leds[led] = {colour.red, colour.green, colour.blue, alpha};
            }
        }
    }
}

}  // namespace devices::lightsteps
