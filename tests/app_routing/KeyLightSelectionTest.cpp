#include <gtest/gtest.h>

#include <vector>

#include "app/routing/KeyLightSelection.h"

namespace {

using routing::KeyButtonState;

TEST(KeyLightSelection, ReloadsOnlyWhenEveryLedIsCovered) {
    struct Case {
        const char* what;
        std::vector<KeyButtonState> buttons;
        int ledCount;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"all selected", {{"light_0", "", true, false}, {"light_1", "", true, false}}, 2, true},
        {"one hidden, one selected",
         {{"light_0", "", false, true}, {"light_1", "", true, false}},
         2,
         true},
        {"hidden only: nothing selected",
         {{"light_0", "", false, true}, {"light_1", "", false, true}},
         2,
         false},
        {"one LED not covered", {{"light_0", "", true, false}}, 2, false},
        {"one LED unselected",
         {{"light_0", "", true, false}, {"light_1", "", false, false}},
         2,
         false},
        {"LED named by user data", {{"key_4", "LIGHT_0", true, false}}, 1, true},
        {"user data overrides the name's flag",
         {{"light_0", "light_0", true, false}, {"x", "light_0", false, false}},
         1,
         false},
        {"number beyond the LEDs is ignored",
         {{"light_0", "", true, false}, {"light_5", "", false, false}},
         1,
         true},
        {"other prefixes do not count", {{"key_0", "", true, false}}, 1, false},
        {"negative number is ignored", {{"light_-1", "", true, false}}, 1, false},
        {"no LEDs (the mouse)", {{"light_0", "", true, false}}, 0, false},
        {"no buttons", {}, 3, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(routing::KeyLightSelectsAllLeds(c.buttons, c.ledCount), c.expected) << c.what;
    }
}

}  // namespace
