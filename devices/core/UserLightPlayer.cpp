#include "devices/core/UserLightPlayer.h"

#include "devices/core/LightSteps.h"
#include "devices/core/LightTables.h"

namespace devices {
namespace {

using lighttables::kWheel;
using lighttables::kWheelSize;

std::uint8_t NextPhase(std::uint8_t p, unsigned period) {
    const unsigned next = p + 1u;
    return static_cast<std::uint8_t>(next >= period ? 0 : next);
}

void Fill(std::span<LedColour> leds, lighttables::Rgb c, std::uint8_t alpha) {
    for (LedColour& led : leds) {
        led = {c.red, c.green, c.blue, alpha};
    }
}

}  // namespace

void CUserLightPlayer::Reset() {
    *this = CUserLightPlayer();
}

void CUserLightPlayer::Step(std::recursive_mutex& lightStepLock, UserLightSteps& lightSteps,
                            std::uint8_t blinkSpeed, std::span<LedColour> leds,
                            std::uint64_t nowMs) {
    LightEffectStep step;
    {
        std::lock_guard lock(lightStepLock);
        if (lightSteps.index >= lightSteps.count) {
            lightSteps.index = 0;
        }
        if (lightSteps.steps.empty() || lightSteps.index >= lightSteps.steps.size()) {
            lightsteps::StepOff(leds);
            return;
        }
        step = lightSteps.steps[lightSteps.index];
    }
    if (!started_) {
        started_ = true;
        stepStartMs_ = nowMs;
    }
    ++passes_;
    const unsigned a = lighttables::StepIntervalTicks(step.ledSpeed);
    const std::uint8_t brightness = lighttables::Brightness(step.ledBrightness);
    const lighttables::Rgb colour{step.red, step.green, step.blue};
    switch (step.ledRegMode) {
        case 0:
            if (passes_ >= a) {
                passes_ = 0;
                phase_ = NextPhase(phase_, 128);
                Fill(leds, step.ledMultiColor ? kWheel[0] : colour,
                     static_cast<std::uint8_t>(lighttables::kBreathing128[phase_] * brightness /
                                               256));
            }
            break;
        case 1:
            if (passes_ >= a) {
                passes_ = 0;
                phase_ = NextPhase(phase_, 9);
                Fill(leds, colour, brightness);
            }
            break;
        case 2:
            phase_ = NextPhase(phase_, 128);
            if (passes_ >= a) {
                passes_ = 0;
            }
            if (nowMs - blinkToggleMs_ >= lighttables::BlinkIntervalMs(blinkSpeed)) {
                blinkOn_ = !blinkOn_;
                blinkToggleMs_ = nowMs;
                const unsigned w = phase_ + 14u;
                blinkWheel_ = static_cast<std::uint8_t>(w >= kWheelSize ? 0 : w);
            }
            if (blinkOn_) {
                Fill(leds, step.ledMultiColor ? kWheel[blinkWheel_] : colour, brightness);
            } else {
                lightsteps::StepOff(leds);
            }
            break;
        case 4:
            if (passes_ >= a) {
                passes_ = 0;
                phase_ = NextPhase(phase_, kWheelSize);
                std::size_t k;
                if (step.ledDirection == 0) {
                    k = (phase_ + 1u) % kWheelSize;
                } else {
                    k = phase_ == 0 ? kWheelSize - 1 : kWheelSize - phase_;
                }
                for (LedColour& led : leds) {
                    if (step.ledMultiColor) {
                        const lighttables::Rgb c = kWheel[k];
                        led = {c.red, c.green, c.blue, brightness};
                        k = (k + 12) % kWheelSize;
                    } else {
                        k = (k + 12) % lighttables::kBreathing96Size;
                        led = {step.red, step.green, step.blue,
                               static_cast<std::uint8_t>(brightness * lighttables::kBreathing96[k] /
                                                         256)};
                    }
                }
            }
            break;
        case 5:
            if (passes_ >= lighttables::WheelIntervalTicks(step.ledSpeed)) {
                passes_ = 0;
                phase_ = NextPhase(phase_, kWheelSize);
                Fill(leds, kWheel[phase_], brightness);
            }
            break;
        default:  // 3 and unknown modes leave the LEDs as they are
            break;
    }
    if (passes_ >= 255) {
        passes_ = 0;
    }
    if (step.time >= 0 && nowMs - stepStartMs_ > static_cast<std::uint64_t>(step.time)) {
        std::lock_guard lock(lightStepLock);
        ++lightSteps.index;
        if (lightSteps.index >= lightSteps.count) {
            lightSteps.index = 0;
        }
        stepStartMs_ = nowMs;
    }
}

}  // namespace devices
