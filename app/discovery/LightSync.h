#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <stop_token>
#include <vector>

#include "profiles/ProfileRecords.h"

namespace discovery {

// The common effects of light synchronisation.
enum class SyncEffect : std::uint8_t {
    Breathing = 0,
    Steady = 1,
    Blinking = 2,
    Wheel = 3,
    Off = 4
};

// The common effect of a device's own effect number; none for an effect that cannot be shared.
std::optional<SyncEffect> SyncEffectOf(int deviceKind, int selectItem);
// The effect number a device kind uses for a common effect.
std::uint8_t EffectNumberOf(int deviceKind, SyncEffect effect);

struct LightSyncSettings {
    SyncEffect effect = SyncEffect::Off;
    std::uint8_t light = 0;
    std::uint8_t speed = 0;
    std::uint8_t fx = 0;
    std::uint8_t multiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The common frames: one colour and alpha for every LED of every device, as the LED word
// red | green << 8 | blue << 16 | alpha << 24.
class CLightSyncFrames {
public:
    void Reset(const LightSyncSettings& settings, std::uint64_t nowMs);
    std::uint32_t NextFrame(std::uint64_t nowMs);
    // Milliseconds between two frames: interval[Speed] preview ticks of 2 ms.
    std::chrono::milliseconds FramePeriod() const;
    const LightSyncSettings& Settings() const { return settings_; }

private:
    LightSyncSettings settings_;
    std::uint8_t phase_ = 0;
    std::uint8_t colourIndex_ = 0;
    bool blinkOn_ = false;
    std::uint64_t blinkTickMs_ = 0;
};

// What the synchronisation thread touches on a device; every call is safe from that thread.
class ILightSyncDevice {
public:
    virtual ~ILightSyncDevice() = default;
    virtual bool IsOpen() const = 0;
    virtual bool PreviewPaused() const = 0;
    virtual int LedCount() const = 0;
    virtual void SetLedColour(int index, std::uint32_t value) = 0;
};

// Thread slot 8: while any open device has its preview paused, computes the common frames at
// their period and gives them to every LED of every device; otherwise waits, for up to 1000 ms
// or until Wake (synchronisation entered) or the stop request.
class CLightSync {
public:
    static constexpr std::chrono::milliseconds kIdleWait{1000};

    // The devices live for the whole run.
    explicit CLightSync(std::vector<ILightSyncDevice*> devices);

    // UI thread: new common settings (entering synchronisation); restarts the animation.
    void Start(const LightSyncSettings& settings);
    // Wakes the thread to look at the devices again.
    void Wake();
    bool Active() const;

    void Run(const std::stop_token& token);
    // One frame now, as the thread computes it (tests).
    void ComputeFrame(std::uint64_t nowMs);
    std::uint64_t FramesShown() const;

private:
    std::vector<ILightSyncDevice*> devices_;
    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    CLightSyncFrames frames_;
    std::uint64_t generation_ = 0;  // bumped by Start and Wake
    std::uint64_t framesShown_ = 0;
};

}  // namespace discovery
