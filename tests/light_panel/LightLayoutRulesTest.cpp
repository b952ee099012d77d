#include <gtest/gtest.h>

#include <set>

#include "lighting/LightModel.h"
#include "lighting/panel/LightLayoutRules.h"

namespace {

using lightpanel::LayoutForEffect;
using lightpanel::LightLayout;

TEST(LightLayoutRules, MouseSteadyEnablesBrightnessAndColourOnly) {
    const LightLayout l = *LayoutForEffect(lighting::kKindMouse, 3);
    EXPECT_TRUE(l.brightness);
    EXPECT_TRUE(l.colourChoice);
    EXPECT_TRUE(l.numberEdits);
    EXPECT_FALSE(l.multiColour);
    EXPECT_FALSE(l.speed);
    EXPECT_FALSE(l.direction);
    EXPECT_TRUE(l.speedShown);
    EXPECT_TRUE(l.directionShown);
}

TEST(LightLayoutRules, KeyboardCustomColoursHideSpeedAndDirectionAndShowTheGroups) {
    const LightLayout custom = *LayoutForEffect(lighting::kKindKeyboard, 20);
    EXPECT_FALSE(custom.speedShown);
    EXPECT_FALSE(custom.directionShown);
    EXPECT_TRUE(custom.customColours);
    EXPECT_TRUE(custom.colourChoice);
    EXPECT_FALSE(custom.extraModeList);
    // Every other keyboard effect hides the custom colours again and shows speed and direction
    // (17 alone hides the speed, for its own mode list).
    for (int effect = 0; effect <= 30; ++effect) {
        if (effect == 20) {
            continue;
        }
        const LightLayout l = *LayoutForEffect(lighting::kKindKeyboard, effect);
        EXPECT_FALSE(l.customColours) << effect;
        EXPECT_TRUE(l.directionShown) << effect;
        EXPECT_EQ(l.speedShown, effect != 17) << effect;
        EXPECT_EQ(l.extraModeList, effect == 17) << effect;
    }
}

TEST(LightLayoutRules, SameModeIsOfferedExactlyForTheEffectsSynchronisationCarries) {
    struct Kind {
        int kind;
        std::set<int> same;
    };
    const Kind kinds[] = {
        {lighting::kKindMouse, {1, 2, 3, 4, 8}},
        {lighting::kKindMousePad, {1, 2, 3, 4, 8}},
        {lighting::kKindHeadset, {1, 2, 3, 4, 8}},
        {lighting::kKindKeyboard, {4, 5, 6, 24, 26}},
    };
    for (const Kind& k : kinds) {
        for (int effect = -1; effect <= 40; ++effect) {
            EXPECT_EQ(LayoutForEffect(k.kind, effect)->sameMode, k.same.count(effect) == 1)
                << "kind " << k.kind << " effect " << effect;
        }
    }
}

TEST(LightLayoutRules, RowsOfTheMouseTable) {
    // multicolour, colour, brightness, speed, direction
    struct Row {
        int effect;
        bool mc, colour, bright, speed, fx;
    };
    constexpr Row rows[] = {
        {0, true, true, true, true, true},      {1, false, false, true, true, false},
        {2, true, true, true, true, true},      {4, true, true, true, true, false},
        {5, true, true, true, true, true},      {6, false, false, true, true, false},
        {7, false, false, true, true, false},   {8, false, false, false, false, false},
        {9, false, false, false, false, false}, {-1, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        const LightLayout l = *LayoutForEffect(lighting::kKindMouse, r.effect);
        EXPECT_EQ(l.multiColour, r.mc) << r.effect;
        EXPECT_EQ(l.colourChoice, r.colour) << r.effect;
        EXPECT_EQ(l.numberEdits, r.colour) << r.effect;  // the edits belong to the colour
        EXPECT_EQ(l.brightness, r.bright) << r.effect;
        EXPECT_EQ(l.speed, r.speed) << r.effect;
        EXPECT_EQ(l.direction, r.fx) << r.effect;
    }
    // The pad differs from the mouse in effects 2 (no direction) and 5 to 7 (nothing).
    EXPECT_FALSE(LayoutForEffect(lighting::kKindMousePad, 2)->direction);
    EXPECT_FALSE(LayoutForEffect(lighting::kKindHeadset, 6)->brightness);
}

TEST(LightLayoutRules, KeyboardNumberEditsStayWithoutTheColourChoice) {
    // Effects 22 to 24 and the user lights take typed values but no palette colour.
    for (int effect : {0, 19, 22, 23, 24, 25, 28}) {
        const LightLayout l = *LayoutForEffect(lighting::kKindKeyboard, effect);
        EXPECT_TRUE(l.numberEdits) << effect;
        EXPECT_FALSE(l.colourChoice) << effect;
    }
    EXPECT_FALSE(LayoutForEffect(lighting::kKindKeyboard, 4)->numberEdits);
}

TEST(LightLayoutRules, UnknownKindsChangeNothing) {
    for (int kind : {0, 4, 5, lighting::kKindWirelessMouse, 8}) {
        EXPECT_FALSE(LayoutForEffect(kind, 1).has_value()) << kind;
    }
}

}  // namespace
