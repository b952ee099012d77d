#include <gtest/gtest.h>

#include "macros/hook/RecordingMessages.h"

namespace {

using capture::RecordingMessage;

TEST(RecordingMessages, EachModeFlagHasItsMessage) {
    struct Case {
        int flags;
        const char* keyboard;  // nullptr: none
        const char* mouse;
    };
    const Case cases[] = {
        {1, "WM_HOOK_KEY_SINGLEKEY_MSG", nullptr},
        {2, "WM_HOOK_KEY_HITKEY_MSG", nullptr},
        {4, "WM_HOOK_KEY_KBMACRO_MSG", "WM_HOOK_KEY_MSMACRO_MSG"},
        {8, "WM_HOOK_KEY_KBMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"},
        {16, "WM_HOOK_KEY_KBMACROLATER_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG"},
        {32, "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_MSMACROSINGLE_MSG"},
        {256, "WM_HOOK_MOU_SINGLEKEY_MSG", nullptr},
        {512, "WM_HOOK_MOU_HITKEY_MSG", nullptr},
        {1024, "WM_HOOK_MOU_KBMACRO_MSG", nullptr},
        // Flags are one value, not a set: combinations and others send nothing.
        {0, nullptr, nullptr},
        {4 | 8, nullptr, nullptr},
        {64, nullptr, nullptr},
        {-1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const auto keyboard = capture::KeyboardMessageForMode(c.flags);
        const auto mouse = capture::MouseMessageForMode(c.flags);
        ASSERT_EQ(keyboard.has_value(), c.keyboard != nullptr);
        ASSERT_EQ(mouse.has_value(), c.mouse != nullptr);
        if (keyboard) {
            EXPECT_EQ(capture::RecordingMessageName(*keyboard), c.keyboard);
        }
        if (mouse) {
            EXPECT_EQ(capture::RecordingMessageName(*mouse), c.mouse);
        }
    }
}

TEST(RecordingMessages, DownMessagesIncludeSystemKeys) {
    EXPECT_TRUE(capture::IsKeyDownMessage(0x100));
    EXPECT_TRUE(capture::IsKeyDownMessage(0x104));
    EXPECT_FALSE(capture::IsKeyDownMessage(0x101));
    EXPECT_FALSE(capture::IsKeyDownMessage(0x105));
}

}  // namespace
