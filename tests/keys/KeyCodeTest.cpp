#include <gtest/gtest.h>

#include <cstdint>

#include "keys/KeyCode.h"
#include "keys/KeyCodeBuilders.h"

namespace {

using keys::KeyCode;

TEST(KeyCodePacking, TypeIsTheMostSignificantByte) {
    EXPECT_EQ(keys::PackKeyCode(0x10, 0x01, 0x00), (0x10u << 16) + (0x01u << 8));
    EXPECT_EQ(keys::PackKeyCode(KeyCode{0x30, 0x83, 0x01}), 0x308301u);
    EXPECT_EQ(keys::UnpackKeyCode(0x308301u), (KeyCode{0x30, 0x83, 0x01}));
}

TEST(KeyCodePacking, PackAndUnpackAreInversesForEveryCode) {
    for (std::uint32_t packed = 0; packed <= 0xFFFFFF; ++packed) {
        const KeyCode code = keys::UnpackKeyCode(packed);
        if (keys::PackKeyCode(code) != packed) {
            FAIL() << std::hex << packed;
        }
    }
}

TEST(KeyCodePacking, StoredIntegersOutsideTwentyFourBitsAreRejected) {
    EXPECT_EQ(keys::TryUnpackKeyCode(0), (KeyCode{0, 0, 0}));
    EXPECT_EQ(keys::TryUnpackKeyCode(0xFFFFFF), (KeyCode{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(keys::TryUnpackKeyCode(0x200106), (KeyCode{0x20, 0x01, 0x06}));
    for (std::int64_t bad : {std::int64_t{-1}, std::int64_t{0x1000000}, std::int64_t{0x1100100},
                             std::int64_t{INT64_MIN}, std::int64_t{INT64_MAX}}) {
        EXPECT_FALSE(keys::TryUnpackKeyCode(bad).has_value()) << bad;
    }
}

TEST(KeyCodePacking, DeviceBytesAreTypeThenP1ThenP2) {
    std::uint8_t bytes[3] = {};
    keys::WriteKeyCodeBytes(KeyCode{0x71, 0x02, 0x2C}, bytes);
    EXPECT_EQ(bytes[0], 0x71);
    EXPECT_EQ(bytes[1], 0x02);
    EXPECT_EQ(bytes[2], 0x2C);
    EXPECT_EQ(keys::ReadKeyCodeBytes(bytes), (KeyCode{0x71, 0x02, 0x2C}));
}

TEST(SwingCode, DecodesDelaySpeedDirectionAndCount) {
    const auto swing = keys::DecodeSwing(KeyCode{0x11, 0x35, 0x83});
    EXPECT_EQ(swing.delay, 3);
    EXPECT_EQ(swing.speed, 5);
    EXPECT_TRUE(swing.rightOrDown);
    EXPECT_EQ(swing.count, 3);
}

TEST(SwingCode, FieldsAreKeptToTheirBits) {
    struct Case {
        bool right;
        std::uint32_t count, delay, speed;
        KeyCode expected;
    };
    const Case cases[] = {
        {true, 3, 3, 5, {0x12, 0x35, 0x83}},      {false, 127, 15, 15, {0x12, 0xFF, 0x7F}},
        {false, 0, 20, 0, {0x12, 0x40, 0x00}},     // delay 20 keeps 4
        {true, 200, 0, 17, {0x12, 0x01, 0xC8}},    // count 200 keeps 72, speed 17 keeps 1
        {false, 128, 16, 16, {0x12, 0x00, 0x00}},  // nothing leaks into the neighbouring field
    };
    for (const auto& c : cases) {
        const KeyCode code = keys::MakeSwingCode(0x12, c.right, c.count, c.delay, c.speed);
        EXPECT_EQ(code, c.expected) << c.count << " " << c.delay << " " << c.speed;
        const auto back = keys::DecodeSwing(code);
        EXPECT_EQ(keys::MakeSwingCode(0x12, back), code);
    }
}

TEST(FireCode, IntervalAndCountKeepTheirLowByte) {
    EXPECT_EQ(keys::MakeFireCode(30, 5), (KeyCode{0x14, 30, 5}));
    EXPECT_EQ(keys::MakeFireCode(300, 256), (KeyCode{0x14, 44, 0}));
}

TEST(MacroCode, RunModesZeroToThreeAreP2AndModeFourRepeats) {
    for (int mode = 0; mode <= 3; ++mode) {
        const auto code = keys::MakeMacroCode(2, mode);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, (KeyCode{0x70, 2, static_cast<std::uint8_t>(mode)}));
        const auto back = keys::DecodeMacro(*code);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->macroNumber, 2);
        EXPECT_EQ(back->runMode, mode);
    }
    const auto repeat = keys::MakeMacroCode(7, keys::kMacroRepeatMode, 300);
    ASSERT_TRUE(repeat.has_value());
    EXPECT_EQ(*repeat, (KeyCode{0x71, 7, 44}));  // 300 kept to its low byte
    const auto back = keys::DecodeMacro(*repeat);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->runMode, keys::kMacroRepeatMode);
    EXPECT_EQ(back->repeatCount, 44);
}

TEST(MacroCode, ImpossibleChoicesGiveNoCode) {
    EXPECT_FALSE(keys::MakeMacroCode(0, -1).has_value());
    EXPECT_FALSE(keys::MakeMacroCode(0, 5).has_value());
    EXPECT_FALSE(keys::MakeMacroCode(256, 0).has_value());
    EXPECT_FALSE(keys::DecodeMacro(KeyCode{0x72, 0, 0}).has_value());
    EXPECT_TRUE(keys::IsMacroCode(KeyCode{0x71, 0, 0}));
    EXPECT_FALSE(keys::IsMacroCode(KeyCode{0x72, 0, 0}));
}

TEST(GunCode, OnlyFourSets) {
    EXPECT_EQ(keys::MakeGunCode(0), (KeyCode{0x72, 0, 0}));
    EXPECT_EQ(keys::MakeGunCode(3), (KeyCode{0x72, 3, 0}));
    EXPECT_FALSE(keys::MakeGunCode(4).has_value());
}

TEST(ModifierOptions, RightHandModifiersShowAsTheirLeftHandOption) {
    struct Case {
        std::uint8_t bit;
        int option;
    };
    const Case cases[] = {{0x01, 1}, {0x02, 2}, {0x04, 3}, {0x08, 4}, {0x10, 1}, {0x20, 2},
                          {0x40, 3}, {0x80, 4}, {0x00, 0}, {0x03, 0}, {0x11, 0}, {0xFF, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(keys::ModifierOptionForBit(c.bit), c.option) << int{c.bit};
    }
    // Saving a right Ctrl code again produces left Ctrl.
    EXPECT_EQ(keys::ModifierBitForOption(keys::ModifierOptionForBit(0x10)), 0x01);
}

TEST(ModifierOptions, OptionsGiveLeftHandBitsAndNothingOutsideOneToFour) {
    const std::pair<int, std::uint8_t> cases[] = {{-1, 0},   {0, 0},    {1, 0x01}, {2, 0x02},
                                                  {3, 0x04}, {4, 0x08}, {5, 0},    {99, 0}};
    for (const auto& [option, bit] : cases) {
        EXPECT_EQ(keys::ModifierBitForOption(option), bit) << option;
    }
    EXPECT_EQ(keys::MakeKeyboardCode(keys::ModifierBitForOption(1), 0x06),
              (KeyCode{0x20, 0x01, 0x06}));
}

}  // namespace
