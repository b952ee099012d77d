// Light synchronisation: the effect numbers of each kind, the common frames, and the thread that
// gives them to every LED while a device follows them.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "app/discovery/LightSync.h"
#include "devices/core/LightTables.h"
#include "hid/HidInterfaceId.h"

namespace {

using discovery::CLightSyncFrames;
using discovery::LightSyncSettings;
using discovery::SyncEffect;
namespace lt = devices::lighttables;

std::uint32_t Word(std::uint8_t r, std::uint8_t g, std::uint8_t b, unsigned a) {
    return r | (g << 8) | (b << 16) | (static_cast<std::uint32_t>(a) << 24);
}

TEST(LightSyncEffects, EachKindNamesTheCommonEffectsByItsOwnNumbers) {
    struct Case {
        int kind;
        int selectItem;
        std::optional<SyncEffect> effect;
    };
    const Case cases[] = {
        {hid::kKindKeyboard, 4, SyncEffect::Wheel},
        {hid::kKindKeyboard, 5, SyncEffect::Breathing},
        {hid::kKindKeyboard, 6, SyncEffect::Steady},
        {hid::kKindKeyboard, 24, SyncEffect::Off},
        {hid::kKindKeyboard, 26, SyncEffect::Blinking},
        {hid::kKindKeyboard, 2, std::nullopt},
        {hid::kKindMouse, 1, SyncEffect::Wheel},
        {hid::kKindMouse, 2, SyncEffect::Breathing},
        {hid::kKindMouse, 3, SyncEffect::Steady},
        {hid::kKindMouse, 4, SyncEffect::Blinking},
        {hid::kKindMouse, 8, SyncEffect::Off},
        {hid::kKindMouse, 5, std::nullopt},
        {hid::kKindMousePad, 2, SyncEffect::Breathing},
        {hid::kKindHeadset, 9, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(discovery::SyncEffectOf(c.kind, c.selectItem), c.effect)
            << "kind " << c.kind << " effect " << c.selectItem;
        if (c.effect) {
            EXPECT_EQ(discovery::EffectNumberOf(c.kind, *c.effect), c.selectItem);
        }
    }
    // The mouse's breathing becomes the keyboard's breathing.
    EXPECT_EQ(discovery::EffectNumberOf(hid::kKindKeyboard, *discovery::SyncEffectOf(2, 2)), 5);
}

TEST(LightSyncFrames, SteadyAndOffAndOutOfRangeLevels) {
    CLightSyncFrames frames;
    frames.Reset({SyncEffect::Steady, 3, 0, 0, 0, 10, 20, 30}, 0);
    EXPECT_EQ(frames.NextFrame(0), Word(10, 20, 30, 0x80));
    // A brightness level beyond the table reads as the highest, never past its end.
    frames.Reset({SyncEffect::Steady, 200, 9, 0, 0, 10, 20, 30}, 0);
    EXPECT_EQ(frames.NextFrame(0), Word(10, 20, 30, 0xFF));
    EXPECT_EQ(frames.FramePeriod(), std::chrono::milliseconds(14));
    frames.Reset({SyncEffect::Off, 5, 0, 0, 1, 10, 20, 30}, 0);
    EXPECT_EQ(frames.NextFrame(0), 0u);
}

TEST(LightSyncFrames, FramePeriodIsIntervalTicksOfTwoMilliseconds) {
    const int expected[] = {56, 46, 36, 26, 14};
    CLightSyncFrames frames;
    for (std::uint8_t speed = 0; speed < 5; ++speed) {
        frames.Reset({SyncEffect::Wheel, 5, speed, 1, 0, 0, 0, 0}, 0);
        EXPECT_EQ(frames.FramePeriod().count(), expected[speed]);
    }
}

TEST(LightSyncFrames, BreathingFollowsTheCurveAndStepsTheWheelTwicePerCycle) {
    CLightSyncFrames frames;
    frames.Reset({SyncEffect::Breathing, 5, 0, 1, 0, 255, 0, 0}, 0);
    for (std::size_t phase = 1; phase < 64; ++phase) {
        const std::uint32_t word = frames.NextFrame(0);
        EXPECT_EQ(word >> 24, 255u * lt::kBreathing128[phase] / 256) << phase;
        EXPECT_EQ(word & 0xFFFFFF, 0x0000FFu);
    }

    frames.Reset({SyncEffect::Breathing, 5, 0, 1, 1, 0, 0, 0}, 0);
    std::vector<std::uint32_t> colourChanges;
    std::uint32_t last = 0xFFFFFFFF;
    for (int i = 0; i < 128 * 6; ++i) {
        const std::uint32_t colour = frames.NextFrame(0) & 0xFFFFFF;
        if (colour != last) {
            colourChanges.push_back(colour);
            last = colour;
        }
    }
    // Every colour is a wheel entry a multiple of 16 away from the start; never past the wheel.
    for (std::uint32_t colour : colourChanges) {
        bool onWheel = false;
        for (std::size_t i = 0; i < lt::kWheelSize; i += 16) {
            const lt::Rgb c = lt::kWheel[i];
            onWheel |= colour == Word(c.red, c.green, c.blue, 0);
        }
        EXPECT_TRUE(onWheel) << std::hex << colour;
    }
    EXPECT_GE(colourChanges.size(), 6u);
}

TEST(LightSyncFrames, BlinkingFlipsEveryIntervalAndDarkensWhenOff) {
    CLightSyncFrames frames;
    frames.Reset({SyncEffect::Blinking, 5, 4, 0, 0, 1, 2, 3}, 1000);  // 1400 ms
    EXPECT_EQ(frames.NextFrame(1000), 0u);
    EXPECT_EQ(frames.NextFrame(2399), 0u);
    EXPECT_EQ(frames.NextFrame(2400), Word(1, 2, 3, 255));
    EXPECT_EQ(frames.NextFrame(3000), Word(1, 2, 3, 255));
    EXPECT_EQ(frames.NextFrame(3800), 0u);
}

TEST(LightSyncFrames, WheelWalksEveryEntryAndWraps) {
    CLightSyncFrames frames;
    frames.Reset({SyncEffect::Wheel, 5, 0, 0, 0, 0, 0, 0}, 0);
    for (std::size_t i = 1; i <= lt::kWheelSize; ++i) {
        const lt::Rgb c = lt::kWheel[i % lt::kWheelSize];
        EXPECT_EQ(frames.NextFrame(0), Word(c.red, c.green, c.blue, 255)) << i;
    }
}

class FakeSyncDevice : public discovery::ILightSyncDevice {
public:
    FakeSyncDevice(bool open, int leds) : open_(open), leds_(static_cast<std::size_t>(leds)) {}
    bool IsOpen() const override { return open_; }
    bool PreviewPaused() const override { return paused; }
    int LedCount() const override { return static_cast<int>(leds_.size()); }
    void SetLedColour(int index, std::uint32_t value) override {
        {
            std::lock_guard lock(mutex_);
            leds_[static_cast<std::size_t>(index)] = value;
            ++sets_;
        }
        changed_.notify_all();
    }
    // Waits (bounded) until at least n colours were set.
    bool WaitForSets(int n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return sets_ >= n; });
    }
    int Sets() {
        std::lock_guard lock(mutex_);
        return sets_;
    }
    std::uint32_t Led(std::size_t i) {
        std::lock_guard lock(mutex_);
        return leds_[i];
    }
    std::atomic<bool> paused{false};

private:
    bool open_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::uint32_t> leds_;
    int sets_ = 0;
};

TEST(LightSyncThread, DrivesEveryLedOfEveryDeviceWhileADeviceFollows) {
    FakeSyncDevice keyboard(true, 4);
    FakeSyncDevice closedPad(false, 2);
    discovery::CLightSync sync({&keyboard, &closedPad});
    std::jthread thread([&](std::stop_token token) { sync.Run(token); });

    keyboard.paused = true;
    sync.Start({SyncEffect::Steady, 5, 4, 0, 0, 9, 8, 7});
    ASSERT_TRUE(keyboard.WaitForSets(8));
    ASSERT_TRUE(closedPad.WaitForSets(2));
    EXPECT_EQ(keyboard.Led(3), Word(9, 8, 7, 255));
    EXPECT_EQ(closedPad.Led(1), Word(9, 8, 7, 255));

    // Out of synchronisation: the thread idles and stops at once when asked.
    keyboard.paused = false;
    sync.Wake();
    const auto before = std::chrono::steady_clock::now();
    thread.request_stop();
    thread.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
}

TEST(LightSyncThread, IdlesWithoutFramesWhenNoOpenDeviceFollows) {
    FakeSyncDevice closed(false, 3);
    closed.paused = true;  // paused but closed: not synchronising
    discovery::CLightSync sync({&closed});
    EXPECT_FALSE(sync.Active());
    std::jthread thread([&](std::stop_token token) { sync.Run(token); });
    sync.Start({SyncEffect::Steady, 5, 4, 0, 0, 1, 1, 1});
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(closed.Sets(), 0);
    EXPECT_EQ(sync.FramesShown(), 0u);
}

}  // namespace
