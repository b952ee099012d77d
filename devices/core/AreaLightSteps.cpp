#include "devices/core/AreaLightSteps.h"

#include <algorithm>

#include "devices/core/LightTables.h"

namespace devices {

using lighttables::kWheel;
using lighttables::kWheelSize;

void CAreaLightSteps::Init(const std::vector<LightListEntry>& list, std::size_t ledCount) {
    state_.assign(std::max(list.size(), ledCount), LedState{});
    for (std::size_t i = 0; i < list.size(); ++i) {
        state_[i].intervalMs = lighttables::BlinkIntervalMs(list[i].ledSpeed);
        if (list[i].present) {
            state_[i].wheelLimit = lighttables::StepIntervalTicks(list[i].ledSpeed);
        }
    }
}

void CAreaLightSteps::RunMode(int mode, const std::vector<LightListEntry>& list,
                              std::span<LedColour> leds, std::uint64_t nowMs) {
    if (state_.size() < list.size()) {
        Init(list, leds.size());
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        const LightListEntry& e = list[i];
        LedState& st = state_[i];
        const std::uint8_t brightness = lighttables::Brightness(e.ledBrightness);
        const lighttables::Rgb own{e.red, e.green, e.blue};
        LedColour out;
        bool draw = false;
        switch (mode) {
            case 0:
                if (e.ledRegMode == 0 && e.present) {
                    const unsigned b = st.breath + e.ledSpeed + 4u;
                    if (b >= 128) {
                        st.breath = 0;
                        if (st.breathWheel < kWheelSize - 1) {
                            ++st.breathWheel;
                        }
                    } else {
                        st.breath = static_cast<std::uint8_t>(b);
                    }
                    const lighttables::Rgb c = e.ledMultiColor ? kWheel[st.breathWheel] : own;
                    out = {c.red, c.green, c.blue,
                           static_cast<std::uint8_t>(lighttables::kBreathing128[st.breath] *
                                                     brightness / 256)};
                    draw = true;
                }
                break;
            case 1:
                if (e.ledRegMode == 1) {
                    out = {e.red, e.green, e.blue, brightness};
                    draw = true;
                }
                break;
            case 2:
                // The blink clocks of every entry run; only blinking entries draw.
                if (nowMs - st.toggleMs >= st.intervalMs) {
                    st.blinkOn = !st.blinkOn;
                    st.toggleMs = nowMs;
                    const unsigned x = st.blinkWheel + 14u;
                    st.blinkWheel = static_cast<std::uint8_t>(x > kWheelSize - 1 ? 0 : x);
                }
                if (e.ledRegMode == 2) {
                    if (st.blinkOn) {
                        const lighttables::Rgb c = e.ledMultiColor ? kWheel[st.blinkWheel] : own;
                        out = {c.red, c.green, c.blue, brightness};
                    }
                    draw = true;
                }
                break;
            case 3:
                if (e.ledRegMode == 3 && e.present) {
                    if (++st.wheelCount >= st.wheelLimit) {
                        st.wheelCount = 0;
                        st.wheel = static_cast<std::uint8_t>(
                            st.wheel + 1u >= kWheelSize ? 0 : st.wheel + 1u);
                    }
                    const lighttables::Rgb c = kWheel[st.wheel];
                    out = {c.red, c.green, c.blue, brightness};
                    draw = true;
                }
                break;
            case 4:
                if (e.ledRegMode == 4) {
                    draw = true;
                }
                break;
            default:
                break;
        }
        if (draw && i < leds.size()) {
            leds[i] = out;
        }
    }
}

}  // namespace devices
