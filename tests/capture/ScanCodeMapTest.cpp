#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <utility>

#include "keys/KeyLookup.h"
#include "keys/KeyboardTable.h"
#include "macros/hook/ScanCodeMap.h"

namespace {

using capture::ScanCode;

// XKB keycodes (evdev + 8) as X11 and Wayland deliver them, and the catalogue key they must
// identify through its scan code and extended flag.
struct KeyCase {
    std::uint32_t xkbKeycode;
    std::uint8_t code;
    bool extended;
    std::string_view catalogueName;
};

constexpr KeyCase kKeys[] = {
    {38, 0x1E, false, "keyboard_key_A"},         {52, 0x2C, false, "keyboard_key_Z"},
    {10, 0x02, false, "keyboard_key_1"},         {19, 0x0B, false, "keyboard_key_0"},
    {67, 0x3B, false, "keyboard_key_F1"},        {76, 0x44, false, "keyboard_key_F10"},
    {95, 0x57, false, "keyboard_key_F11"},       {96, 0x58, false, "keyboard_key_F12"},
    {111, 0x48, true, "keyboard_key_Up"},        {113, 0x4B, true, "keyboard_key_Left"},
    {114, 0x4D, true, "keyboard_key_Right"},     {116, 0x50, true, "keyboard_key_Down"},
    {36, 0x1C, false, "keyboard_key_Enter"},     {104, 0x1C, true, "keyboard_key_Num Enter"},
    {37, 0x1D, false, "keyboard_key_LCtrl"},     {105, 0x1D, true, "keyboard_key_RCtrl"},
    {64, 0x38, false, "keyboard_key_LAlt"},      {108, 0x38, true, "keyboard_key_RAlt"},
    {133, 0x5B, true, "keyboard_key_LWin"},      {134, 0x5C, true, "keyboard_key_RWin"},
    {107, 0x37, true, "keyboard_key_Print Scr"}, {127, 0x45, false, "keyboard_key_Pause"},
    {77, 0x45, true, "keyboard_key_Num Lock"},   {78, 0x46, false, "keyboard_key_Scroll Lock"},
    {66, 0x3A, false, "keyboard_key_Caplk"},     {106, 0x35, true, "keyboard_key_Num /"},
    {61, 0x35, false, "keyboard_key_/"},         {79, 0x47, false, "keyboard_key_Num 7"},
    {110, 0x47, true, "keyboard_key_Home"},      {91, 0x53, false, "keyboard_key_Decimal"},
    {119, 0x53, true, "keyboard_key_Delete"},    {135, 0x5D, true, "keyboard_key_App"},
    {94, 0x56, false, "keyboard_key_K45"},       {97, 0x73, false, "keyboard_key_K56"},
    {132, 0x7D, false, "keyboard_key_K14"},      {129, 0x7E, false, "keyboard_key_K107"},
};

TEST(ScanCodeMap, NativeKeycodesGiveTheCatalogueKey) {
    for (const KeyCase& c : kKeys) {
        SCOPED_TRACE(c.catalogueName);
        const auto scan = capture::ScanCodeFromXkbKeycode(c.xkbKeycode);
        ASSERT_TRUE(scan.has_value());
        EXPECT_EQ(scan->code, c.code);
        EXPECT_EQ(scan->extended, c.extended);
        const keys::KeyRow* row = keys::FindKeyboardRowByScanCode(scan->code, scan->extended);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->name, c.catalogueName);
    }
}

// Every key of the catalogue that a keyboard can press is reachable from some Linux key code,
// and no two Linux keys collapse onto one scan code.
TEST(ScanCodeMap, EveryCatalogueKeyIsReachableAndDistinct) {
    std::set<std::pair<int, bool>> produced;
    for (std::uint32_t evdev = 0; evdev < 256; ++evdev) {
        if (const auto scan = capture::ScanCodeFromEvdev(evdev)) {
            EXPECT_TRUE(produced.insert({scan->code, scan->extended}).second)
                << "evdev " << evdev << " repeats scan code " << int(scan->code);
        }
    }
    for (const keys::KeyRow& row : keys::kKeyboardTable) {
        if (row.scanCode != 0) {
            EXPECT_TRUE(produced.count({row.scanCode, row.extended}) == 1) << row.name;
        }
    }
}

TEST(ScanCodeMap, CodesWithoutAKeyGiveNothing) {
    for (std::uint32_t keycode : {0u, 1u, 7u, 8u, 92u, 100000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(capture::ScanCodeFromXkbKeycode(keycode).has_value()) << keycode;
    }
    // Media keys have scan codes but no catalogue row: the recorder drops them.
    const auto mute = capture::ScanCodeFromEvdev(113);
    ASSERT_TRUE(mute.has_value());
    EXPECT_EQ(keys::FindKeyboardRowByScanCode(mute->code, mute->extended), nullptr);
}

TEST(ScanCodeMap, OnlyTheThreeLocksPassOn) {
    EXPECT_TRUE(capture::IsLockKey(*capture::ScanCodeFromEvdev(58)));    // Caps Lock
    EXPECT_TRUE(capture::IsLockKey(*capture::ScanCodeFromEvdev(69)));    // Num Lock
    EXPECT_TRUE(capture::IsLockKey(*capture::ScanCodeFromEvdev(70)));    // Scroll Lock
    EXPECT_FALSE(capture::IsLockKey(*capture::ScanCodeFromEvdev(119)));  // Pause: 0x45 plain
    EXPECT_FALSE(capture::IsLockKey(*capture::ScanCodeFromEvdev(30)));
}

}  // namespace
