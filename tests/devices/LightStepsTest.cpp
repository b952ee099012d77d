// Light steps against frames worked out by hand from the tables and rules.
#include <gtest/gtest.h>

#include <vector>

#include "devices/core/LightSteps.h"
#include "devices/core/LightTables.h"

namespace {

using devices::LedColour;
using namespace devices::lightsteps;
namespace tables = devices::lighttables;

LightInfoRecord Settings(std::uint8_t light, std::uint8_t speed, std::uint8_t fx,
                         std::uint8_t multi, std::uint8_t r = 10, std::uint8_t g = 20,
                         std::uint8_t b = 30, std::uint8_t effect = 0) {
    LightInfoRecord s;
    s.selectItem = effect;
    s.light = light;
    s.speed = speed;
    s.fx = fx;
    s.multiColor = multi;
    s.red = r;
    s.green = g;
    s.blue = b;
    return s;
}

TEST(LightTables, EndsAndTurningPoints) {
    EXPECT_EQ(tables::kBreathing128[0], 0);
    EXPECT_EQ(tables::kBreathing128[63], 255);
    EXPECT_EQ(tables::kBreathing128[64], 255);
    EXPECT_EQ(tables::kBreathing128[127], 0);
    EXPECT_EQ(tables::kBreathing96[0], 22);
    EXPECT_EQ(tables::kBreathing96[47], 255);
    EXPECT_EQ(tables::kBreathing96[95], 22);
    EXPECT_EQ(tables::kWheel[0], (tables::Rgb{255, 1, 0}));
    EXPECT_EQ(tables::kWheel[32], (tables::Rgb{248, 255, 0}));
    EXPECT_EQ(tables::kWheel[64], (tables::Rgb{0, 255, 1}));
    EXPECT_EQ(tables::kWheel[127], (tables::Rgb{0, 0, 255}));
    EXPECT_EQ(tables::kWheel[191], (tables::Rgb{255, 0, 0}));
    EXPECT_EQ(tables::Brightness(3), 0x80);
    EXPECT_EQ(tables::Brightness(9), 0xFF);
    EXPECT_EQ(tables::BlinkIntervalMs(0), 5600u);
    EXPECT_EQ(tables::BlinkIntervalMs(4), 1400u);
    EXPECT_EQ(tables::BlinkIntervalMs(5), 0u);
}

TEST(AdvancePhase, BothDirectionsWrap) {
    struct Case {
        std::uint8_t dir, period, value, step, expected;
    };
    for (const Case& c :
         {Case{1, 128, 126, 1, 127}, Case{1, 128, 127, 1, 0}, Case{0, 128, 0, 1, 127},
          Case{0, 128, 5, 1, 4}, Case{0, 192, 0, 1, 191}, Case{1, 192, 191, 1, 0},
          Case{0, 128, 200, 1, 127}, Case{1, 128, 200, 1, 0}}) {
        EXPECT_EQ(AdvancePhase(c.dir, c.period, c.value, c.step), c.expected)
            << int(c.dir) << " " << int(c.period) << " " << int(c.value);
    }
}

TEST(StepBreatheWheel, ColourIndexStepsBySixteenWithinTheWheel) {
    LightAnimation a;
    std::vector<LedColour> leds(2);
    const LightInfoRecord s = Settings(5, 0, 1, 1);
    std::vector<int> seen;
    for (int breath = 0; breath < 12; ++breath) {
        for (int i = 0; i < 128; ++i) {
            StepBreatheWheel(a, s, leds);
        }
        seen.push_back(a.colourStep);
    }
    EXPECT_EQ(seen, (std::vector<int>{16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 0}));
    // Mid-breath frame: phase 64, breathing 255 at brightness 255.
    a = LightAnimation{};
    a.phase = 63;
    a.colourStep = 32;
    StepBreatheWheel(a, s, leds);
    EXPECT_EQ(leds[1], (LedColour{248, 255, 0, 254}));
    // Without MultiColor the setting colour.
    a.phase = 63;
    StepBreatheWheel(a, Settings(3, 0, 1, 0), leds);
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 255 * 0x80 / 256}));
}

TEST(StepBreatheFour, CyclesTheFourColoursAndSurvivesAWheelIndex) {
    LightAnimation a;
    a.colourStep = 160;  // left by another effect
    std::vector<LedColour> leds(1);
    const LightInfoRecord s = Settings(5, 0, 0, 0);
    StepBreatheFour(a, s, leds);  // phase 0 -> 127
    EXPECT_EQ(a.colourStep, 0);
    EXPECT_EQ(leds[0], (LedColour{0, 255, 180, 0}));
    std::vector<int> seen;
    for (int breath = 0; breath < 4; ++breath) {
        for (int i = 0; i < 128; ++i) {
            StepBreatheFour(a, s, leds);
        }
        seen.push_back(a.colourStep);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
}

TEST(StaticWheelAndOff, Frames) {
    LightAnimation a;
    std::vector<LedColour> leds(3, LedColour{1, 1, 1, 1});
    StepStatic(Settings(2, 0, 0, 0), leds);
    EXPECT_EQ(leds[2], (LedColour{10, 20, 30, 0x40}));
    StepWheel(a, Settings(4, 0, 0, 0), leds);  // 0 -> 191
    EXPECT_EQ(leds[0], (LedColour{255, 0, 0, 0xBE}));
    StepWheel(a, Settings(4, 0, 1, 0), leds);  // 191 -> 0
    EXPECT_EQ(leds[0], (LedColour{255, 1, 0, 0xBE}));
    StepOff(leds);
    EXPECT_EQ(leds[1], LedColour{});
}

TEST(StepBlinkWheel, TogglesAfterTheIntervalAndStepsTheWheel) {
    LightAnimation a;
    std::vector<LedColour> leds(1);
    const LightInfoRecord s = Settings(5, 4, 0, 1);  // 1400 ms
    StepBlinkWheel(a, s, leds, 1399);
    EXPECT_EQ(leds[0], LedColour{});
    StepBlinkWheel(a, s, leds, 1400);
    EXPECT_EQ(a.phase, 16);
    EXPECT_EQ(leds[0], (LedColour{255, 81, 0, 255}));
    StepBlinkWheel(a, s, leds, 2000);
    EXPECT_EQ(leds[0], (LedColour{255, 81, 0, 255}));
    StepBlinkWheel(a, s, leds, 2800);
    EXPECT_EQ(leds[0], LedColour{});
    a.phase = 176;
    StepBlinkWheel(a, s, leds, 4200);
    EXPECT_EQ(a.phase, 0);
    // Speed 5: every step toggles.
    LightAnimation fast;
    StepBlinkWheel(fast, Settings(5, 5, 0, 0), leds, 0);
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 255}));
    StepBlinkWheel(fast, Settings(5, 5, 0, 0), leds, 0);
    EXPECT_EQ(leds[0], LedColour{});
}

TEST(StepBlinkFour, StepsThroughTheFourColours) {
    LightAnimation a;
    std::vector<LedColour> leds(1);
    const LightInfoRecord s = Settings(5, 5, 0, 0);
    std::vector<int> phases;
    for (int i = 0; i < 5; ++i) {
        StepBlinkFour(a, s, leds, 0);
        phases.push_back(a.phase);
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 0, 1}));
    EXPECT_EQ(leds[0], (LedColour{0, 255, 0, 255}));  // on, colour 1
}

TEST(DecayLevel, SequencesFrom255) {
    const std::vector<int> slow = {215, 175, 135, 95, 65, 35, 25, 17, 9, 5, 1, 0, 0};
    std::vector<int> fastExpected = {215, 175, 135, 95, 65, 35, 25, 17, 9};
    for (int v = 8; v >= 0; --v) {
        fastExpected.push_back(v);
    }
    fastExpected.push_back(0);
    for (bool fast : {false, true}) {
        LightAnimation a;
        a.levels[3] = 255;
        const auto& expected = fast ? fastExpected : slow;
        std::vector<int> seen;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            DecayLevel(a, 3, fast);
            seen.push_back(a.levels[3]);
        }
        EXPECT_EQ(seen, expected) << fast;
    }
    LightAnimation a;
    DecayLevel(a, kLevelCount, true);  // out of range: nothing
}

TEST(Ripple, RingRotatesAndRefillsTheFirstNineGroups) {
    LightAnimation a;
    a.ring[22] = 1;
    ShiftRing(a, true);
    EXPECT_EQ(a.ring[0], 1);
    EXPECT_EQ(a.ring[22], 0);
    ShiftRing(a, false);
    EXPECT_EQ(a.ring[22], 1);
    a.ring[8] = 1;
    a.ring[9] = 1;
    RefillLevels(a);
    EXPECT_EQ(a.levels[8], 255);
    EXPECT_EQ(a.levels[9], 0);
    ClearLevels(a);
    EXPECT_EQ(a.levels[8], 0);
    EXPECT_EQ(a.ring[22], 0);
}

TEST(StepSpectrumEffect, WheelSweepAndBreathingSweep) {
    LightAnimation a;
    std::vector<LedColour> leds(3);
    StepSpectrumEffect(a, Settings(4, 0, 1, 1), leds);  // phase 1, k = 2, 9, 16
    EXPECT_EQ(leds[0], (LedColour{255, 5, 0, 0xBE}));
    EXPECT_EQ(leds[1], (LedColour{255, 32, 0, 0xBE}));
    EXPECT_EQ(leds[2], (LedColour{255, 81, 0, 0xBE}));
    a.phase = 190;
    StepSpectrumEffect(a, Settings(4, 0, 1, 1), leds);  // phase 191, k = 0
    EXPECT_EQ(leds[0], (LedColour{255, 1, 0, 0xBE}));

    a.phase = 0;
    StepSpectrumEffect(a, Settings(5, 0, 1, 0), leds);  // phase 1, k = 2, 9
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 255 * 27 / 256}));
    EXPECT_EQ(leds[1], (LedColour{10, 20, 30, 255 * 49 / 256}));
}

TEST(StepStageColourEffect, GroupsShareLevelsAndLaterGroupsWin) {
    LightAnimation a;
    a.ring[7] = 1;
    std::vector<LedColour> leds(19, LedColour{1, 1, 1, 1});
    StepStageColourEffect(a, Settings(5, 0, 1, 0, 10, 20, 30, 5), leds);
    // Group 7 refilled to 255, decayed once (fast) to 215.
    EXPECT_EQ(a.levels[7], 215);
    const std::uint8_t alpha = 255 * 215 / 256;
    EXPECT_EQ(leds[7], (LedColour{10, 20, 30, alpha}));
    EXPECT_EQ(leds[11], (LedColour{10, 20, 30, alpha}));
    EXPECT_EQ(leds[9], (LedColour{10, 20, 30, 0}));  // group 8 comes later
    EXPECT_EQ(leds[0], (LedColour{10, 20, 30, 0}));
    EXPECT_EQ(a.ring[8], 1);  // rotated toward higher indices
    // Fewer LEDs than groups reach: nothing beyond the list is touched.
    std::vector<LedColour> few(2);
    StepStageColourEffect(a, Settings(5, 0, 1, 1, 0, 0, 0, 5), few);
}

}  // namespace
