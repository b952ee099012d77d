#include <gtest/gtest.h>

#include <vector>

#include "macros/MacroKeyBindings.h"

namespace {

KeyListEntry Key(KeyCode assignment, KeyCode defaultAssignment = {0x10, 0x01, 0x00}) {
    KeyListEntry entry;
    entry.assignment = assignment;
    entry.defaultAssignment = defaultAssignment;
    return entry;
}

TEST(MacroKeyBindings, DeletingAMacroRebindsKeysByPosition) {
    // Four macros; macro 1 is deleted.
    std::vector<KeyListEntry> keys = {
        Key({0x70, 0, 2}), Key({0x70, 1, 0}), Key({0x71, 2, 5}),
        Key({0x70, 3, 1}), Key({0x20, 0, 4}), Key({0x10, 2, 0}),
    };
    EXPECT_TRUE(macros::AnyKeyUsesMacro(keys, 1));
    EXPECT_FALSE(macros::AnyKeyUsesMacro(keys, 4));
    EXPECT_TRUE(macros::RebindKeysAfterMacroDelete(keys, 1));
    EXPECT_EQ(keys[0].assignment, (KeyCode{0x70, 0, 2}));
    EXPECT_EQ(keys[1].assignment, (KeyCode{0x10, 0x01, 0x00}));  // back to its default
    EXPECT_EQ(keys[2].assignment, (KeyCode{0x71, 1, 5}));        // old 2 is now 1
    EXPECT_EQ(keys[3].assignment, (KeyCode{0x70, 2, 1}));
    EXPECT_EQ(keys[4].assignment, (KeyCode{0x20, 0, 4}));
    EXPECT_EQ(keys[5].assignment, (KeyCode{0x10, 2, 0}));
    EXPECT_FALSE(macros::RebindKeysAfterMacroDelete(keys, 9));
}

TEST(MacroKeyBindings, KeysOfMissingMacrosAreResetByMacroNumberNotRunMode) {
    std::vector<KeyListEntry> keys = {
        Key({0x71, 0, 9}),                     // repeat count 9 with two macros: still valid
        Key({0x70, 1, 3}), Key({0x70, 2, 0}),  // macro 2 does not exist
    };
    EXPECT_TRUE(macros::ResetKeysWithMissingMacros(keys, 2));
    EXPECT_EQ(keys[0].assignment, (KeyCode{0x71, 0, 9}));
    EXPECT_EQ(keys[1].assignment, (KeyCode{0x70, 1, 3}));
    EXPECT_EQ(keys[2].assignment, (KeyCode{0x10, 0x01, 0x00}));
    EXPECT_FALSE(macros::ResetKeysWithMissingMacros(keys, 2));
}

}  // namespace
