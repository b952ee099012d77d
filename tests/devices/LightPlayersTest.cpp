// The user light player and the area light steps, frame by frame.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "devices/core/AreaLightSteps.h"
#include "devices/core/LightTables.h"
#include "devices/core/UserLightPlayer.h"

namespace {

using devices::LedColour;
namespace tables = devices::lighttables;

const LedColour kSentinel{9, 9, 9, 9};

LightEffectStep Step(std::uint8_t mode, std::uint8_t speed, std::uint8_t multi = 0,
                     std::uint8_t direction = 0, std::int32_t time = 100000) {
    LightEffectStep s;
    s.ledRegMode = mode;
    s.ledBrightness = 5;
    s.ledSpeed = speed;
    s.ledDirection = direction;
    s.ledMultiColor = multi;
    s.red = 40;
    s.green = 50;
    s.blue = 60;
    s.time = time;
    return s;
}

struct Player {
    explicit Player(std::vector<LightEffectStep> list) {
        steps.steps = std::move(list);
        steps.count = steps.steps.size();
    }
    void Run(std::uint64_t now, std::uint8_t blinkSpeed = 4) {
        player.Step(lock, steps, blinkSpeed, leds, now);
    }
    std::recursive_mutex lock;
    devices::UserLightSteps steps;
    devices::CUserLightPlayer player;
    std::vector<LedColour> leds = std::vector<LedColour>(3, kSentinel);
};

TEST(UserLightPlayer, NoStepsMeansDark) {
    Player p({});
    p.Run(0);
    EXPECT_EQ(p.leds[0], LedColour{});
}

TEST(UserLightPlayer, BreathingWaitsForItsIntervalThenDraws) {
    Player p({Step(0, 4)});  // A = 7
    for (int i = 0; i < 6; ++i) {
        p.Run(0);
    }
    EXPECT_EQ(p.leds[0], kSentinel);
    p.Run(0);  // p = 1: breathing 1 × 255 / 256 = 0
    EXPECT_EQ(p.leds[0], (LedColour{40, 50, 60, 0}));
    for (int i = 0; i < 7 * 63; ++i) {
        p.Run(0);
    }
    EXPECT_EQ(p.leds[2], (LedColour{40, 50, 60, 254}));  // p = 64
}

TEST(UserLightPlayer, StaticDrawsEveryPassAtSpeedFive) {
    Player p({Step(1, 5)});
    p.Run(0);
    EXPECT_EQ(p.leds[1], (LedColour{40, 50, 60, 255}));
}

TEST(UserLightPlayer, WheelModeUsesTableB) {
    Player p({Step(5, 0)});  // B = 6
    for (int i = 0; i < 5; ++i) {
        p.Run(0);
    }
    EXPECT_EQ(p.leds[0], kSentinel);
    p.Run(0);
    EXPECT_EQ(p.leds[0], (LedColour{255, 3, 0, 255}));  // wheel[1]
}

TEST(UserLightPlayer, SweepInBothDirections) {
    Player right({Step(4, 5, 1, 0)});
    right.Run(0);  // p = 1, k = 2, 14, 26
    EXPECT_EQ(right.leds[0], (LedColour{255, 5, 0, 255}));
    EXPECT_EQ(right.leds[1], (LedColour{255, 65, 0, 255}));
    Player left({Step(4, 5, 1, 1)});
    left.Run(0);  // p = 1, k = 191, then 11
    EXPECT_EQ(left.leds[0], (LedColour{255, 0, 0, 255}));
    EXPECT_EQ(left.leds[1], (LedColour{255, 44, 0, 255}));
    Player single({Step(4, 5, 0, 0)});
    single.Run(0);  // k = 2, then 14 before the first LED
    EXPECT_EQ(single.leds[0], (LedColour{40, 50, 60, 255 * 69 / 256}));
}

TEST(UserLightPlayer, BlinkUsesTheLightSettingsSpeed) {
    Player p({Step(2, 5, 1)});
    p.Run(0);
    EXPECT_EQ(p.leds[0], LedColour{});
    p.Run(1400);  // p = 2: blink wheel index 16
    EXPECT_EQ(p.leds[0], (LedColour{255, 81, 0, 255}));
}

TEST(UserLightPlayer, StepsAdvanceAfterTheirTime) {
    Player p({Step(1, 5, 0, 0, 100), Step(3, 5, 0, 0, 100)});
    p.Run(1000);
    EXPECT_EQ(p.steps.index, 0u);
    p.Run(1100);
    EXPECT_EQ(p.steps.index, 0u);
    p.Run(1101);
    EXPECT_EQ(p.steps.index, 1u);
    p.leds.assign(3, kSentinel);
    p.Run(1150);  // mode 3 leaves the LEDs
    EXPECT_EQ(p.leds[0], kSentinel);
    p.Run(1202);
    EXPECT_EQ(p.steps.index, 0u);
    // A count beyond the list never reads past it.
    p.steps.count = 5;
    p.steps.index = 4;
    p.Run(1203);
}

LightListEntry Entry(std::uint8_t mode, std::uint8_t speed, std::uint8_t multi = 0) {
    LightListEntry e;
    e.ledRegMode = mode;
    e.ledBrightness = 5;
    e.ledSpeed = speed;
    e.ledMultiColor = multi;
    e.red = 7;
    e.green = 8;
    e.blue = 9;
    e.present = 1;
    return e;
}

TEST(AreaLightSteps, EachModeDrawsOnlyItsEntries) {
    std::vector<LightListEntry> list = {Entry(0, 0), Entry(1, 0), Entry(2, 4, 1),
                                        Entry(3, 4), Entry(4, 0), LightListEntry{}};
    std::vector<LedColour> leds(6, kSentinel);
    devices::CAreaLightSteps area;
    area.Init(list, leds.size());
    area.RunMode(0, list, leds, 0);
    EXPECT_EQ(leds[0], (LedColour{7, 8, 9, 4 * 255 / 256}));  // b = 4
    EXPECT_EQ(leds[1], kSentinel);
    EXPECT_EQ(leds[5], kSentinel);  // a null element is not present
    area.RunMode(1, list, leds, 0);
    EXPECT_EQ(leds[1], (LedColour{7, 8, 9, 255}));
    area.RunMode(2, list, leds, 0);
    EXPECT_EQ(leds[2], LedColour{});
    area.RunMode(2, list, leds, 1400);
    EXPECT_EQ(leds[2], (LedColour{255, 65, 0, 255}));  // wheel[14]
    for (int i = 0; i < 6; ++i) {
        area.RunMode(3, list, leds, 0);
    }
    EXPECT_EQ(leds[3], (LedColour{255, 1, 0, 255}));  // limit 7 not reached
    area.RunMode(3, list, leds, 0);
    EXPECT_EQ(leds[3], (LedColour{255, 3, 0, 255}));
    area.RunMode(4, list, leds, 0);
    EXPECT_EQ(leds[4], LedColour{});
}

TEST(AreaLightSteps, MoreEntriesThanLedsDrawNothingOutside) {
    std::vector<LightListEntry> list(5, Entry(1, 0));
    std::vector<LedColour> leds(2);
    devices::CAreaLightSteps area;
    area.Init(list, 0);
    area.RunMode(1, list, leds, 0);
    EXPECT_EQ(leds[1], (LedColour{7, 8, 9, 255}));
}

}  // namespace
