#include "app/discovery/LightSync.h"

#include <array>

#include "devices/core/LightSteps.h"
#include "devices/core/LightTables.h"
#include "hid/HidInterfaceId.h"

namespace discovery {

namespace lt = devices::lighttables;

namespace {

struct EffectNumbers {
    std::uint8_t breathing, steady, blinking, wheel, off;
};
constexpr EffectNumbers kKeyboardEffects{5, 6, 26, 4, 24};
constexpr EffectNumbers kOtherEffects{2, 3, 4, 1, 8};

const EffectNumbers& EffectsOf(int deviceKind) {
    return deviceKind == hid::kKindKeyboard ? kKeyboardEffects : kOtherEffects;
}

constexpr std::array<unsigned, 5> kFrameTicks = {28, 23, 18, 13, 7};
constexpr unsigned kTickMs = 2;

std::uint64_t NowMs() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

std::uint32_t Word(lt::Rgb c, unsigned alpha) {
    return c.red | (static_cast<std::uint32_t>(c.green) << 8) |
           (static_cast<std::uint32_t>(c.blue) << 16) | (static_cast<std::uint32_t>(alpha) << 24);
}

}  // namespace

std::optional<SyncEffect> SyncEffectOf(int deviceKind, int selectItem) {
    const EffectNumbers& e = EffectsOf(deviceKind);
    if (selectItem == e.breathing) {
        return SyncEffect::Breathing;
    }
    if (selectItem == e.steady) {
        return SyncEffect::Steady;
    }
    if (selectItem == e.blinking) {
        return SyncEffect::Blinking;
    }
    if (selectItem == e.wheel) {
        return SyncEffect::Wheel;
    }
    if (selectItem == e.off) {
        return SyncEffect::Off;
    }
    return std::nullopt;
}

std::uint8_t EffectNumberOf(int deviceKind, SyncEffect effect) {
    const EffectNumbers& e = EffectsOf(deviceKind);
    switch (effect) {
        case SyncEffect::Breathing:
            return e.breathing;
        case SyncEffect::Steady:
            return e.steady;
        case SyncEffect::Blinking:
            return e.blinking;
        case SyncEffect::Wheel:
            return e.wheel;
        case SyncEffect::Off:
            break;
    }
    return e.off;
}

void CLightSyncFrames::Reset(const LightSyncSettings& settings, std::uint64_t nowMs) {
    settings_ = settings;
    phase_ = 0;
    colourIndex_ = 0;
    blinkOn_ = false;
    blinkTickMs_ = nowMs;
}

std::chrono::milliseconds CLightSyncFrames::FramePeriod() const {
    // A speed outside the table (a hand-edited profile) runs at the fastest rate.
    const unsigned ticks =
        settings_.speed < kFrameTicks.size() ? kFrameTicks[settings_.speed] : kFrameTicks.back();
    return std::chrono::milliseconds(ticks * kTickMs);
}

std::uint32_t CLightSyncFrames::NextFrame(std::uint64_t nowMs) {
    const LightSyncSettings& s = settings_;
    const lt::Rgb own{s.red, s.green, s.blue};
    const unsigned brightness = lt::Brightness(s.light);
    switch (s.effect) {
        case SyncEffect::Breathing: {
            phase_ = devices::lightsteps::AdvancePhase(s.fx, lt::kBreathing128Size, phase_, 1);
            if (s.multiColor != 0 && phase_ < 2) {
                colourIndex_ = static_cast<std::uint8_t>(colourIndex_ + 16);
                if (colourIndex_ >= lt::kWheelSize) {
                    colourIndex_ = 0;
                }
            }
            const lt::Rgb colour = s.multiColor != 0 ? lt::kWheel[colourIndex_] : own;
            return Word(colour, brightness * lt::kBreathing128[phase_] / 256);
        }
        case SyncEffect::Steady:
            return Word(own, brightness);
        case SyncEffect::Blinking: {
            const std::uint64_t interval = lt::BlinkIntervalMs(s.speed);
            if (nowMs - blinkTickMs_ >= interval) {
                blinkTickMs_ = nowMs;
                blinkOn_ = !blinkOn_;
                colourIndex_ = static_cast<std::uint8_t>(colourIndex_ + 14);
                if (colourIndex_ >= lt::kWheelSize) {
                    colourIndex_ = 0;
                }
            }
            if (!blinkOn_) {
                return 0;
            }
            return Word(s.multiColor != 0 ? lt::kWheel[colourIndex_] : own, brightness);
        }
        case SyncEffect::Wheel:
            colourIndex_ = devices::lightsteps::AdvancePhase(1, lt::kWheelSize, colourIndex_, 1);
            return Word(lt::kWheel[colourIndex_], brightness);
        case SyncEffect::Off:
            break;
    }
    return 0;
}

CLightSync::CLightSync(std::vector<ILightSyncDevice*> devices) : devices_(std::move(devices)) {}

void CLightSync::Start(const LightSyncSettings& settings) {
    {
        std::lock_guard lock(mutex_);
        frames_.Reset(settings, NowMs());
        ++generation_;
    }
    wake_.notify_all();
}

void CLightSync::Wake() {
    {
        std::lock_guard lock(mutex_);
        ++generation_;
    }
    wake_.notify_all();
}

bool CLightSync::Active() const {
    for (const ILightSyncDevice* device : devices_) {
        if (device->IsOpen() && device->PreviewPaused()) {
            return true;
        }
    }
    return false;
}

std::uint64_t CLightSync::FramesShown() const {
    std::lock_guard lock(mutex_);
    return framesShown_;
}

void CLightSync::ComputeFrame(std::uint64_t nowMs) {
    std::uint32_t word = 0;
    {
        std::lock_guard lock(mutex_);
        word = frames_.NextFrame(nowMs);
        ++framesShown_;
    }
    for (ILightSyncDevice* device : devices_) {
        const int count = device->LedCount();
        for (int i = 0; i < count; ++i) {
            device->SetLedColour(i, word);
        }
    }
}

void CLightSync::Run(const std::stop_token& token) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point nextFrame = Clock::now();
    while (!token.stop_requested()) {
        std::unique_lock lock(mutex_);
        const std::uint64_t seen = generation_;
        if (!Active()) {
            wake_.wait_for(lock, token, kIdleWait, [&] { return generation_ != seen; });
            nextFrame = Clock::now();
            continue;
        }
        const Clock::time_point due = nextFrame + frames_.FramePeriod();
        if (!wake_.wait_until(lock, token, due, [&] { return generation_ != seen; })) {
            lock.unlock();
            if (token.stop_requested()) {
                break;
            }
            nextFrame = Clock::now();
            ComputeFrame(NowMs());
        } else {
            nextFrame = Clock::now();  // new settings: a full period before their first frame
        }
    }
}

}  // namespace discovery
