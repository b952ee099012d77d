#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "keys/FunctionTables.h"
#include "keys/KeyChoices.h"
#include "keys/KeyboardTable.h"

namespace {

using keys::KeyCode;
using keys::KeyRow;
using keys::kKeyboardTable;

// Keyboard row names in order, written out from the published list.
std::vector<std::string> ExpectedKeyboardNames() {
    std::vector<std::string> names = {"LCtrl", "LShift", "LAlt", "LWin",
                                      "RCtrl", "RShift", "RAlt", "RWin"};
    for (char c = 'A'; c <= 'Z'; ++c) {
        names.emplace_back(1, c);
    }
    for (char c = '1'; c <= '9'; ++c) {
        names.emplace_back(1, c);
    }
    names.emplace_back("0");
    for (const char* n : {"Enter", "Esc", "BackSpace", "Tab", "Space", "-", "=", "[", "]",
                          "xiegang", ";", "'", "`", "<", ".", "/", "Caplk"}) {
        names.emplace_back(n);
    }
    for (int f = 1; f <= 12; ++f) {
        names.push_back("F" + std::to_string(f));
    }
    for (const char* n : {"Print Scr", "Scroll Lock", "Pause", "Insert", "Home", "Page Up",
                          "Delete", "End", "Page Down", "Right", "Left", "Down", "Up", "Num Lock",
                          "Num /", "Num *", "Num -", "Num +", "Num Enter"}) {
        names.emplace_back(n);
    }
    for (int n = 1; n <= 9; ++n) {
        names.push_back("Num " + std::to_string(n));
    }
    for (const char* n : {"Num 0",
                          "Decimal",
                          "App",
                          "K45",
                          "K56",
                          "K14",
                          "K107",
                          "K131",
                          "K132",
                          "K133",
                          "K150",
                          "K151",
                          "Launch App2",
                          "Browaer Home",
                          "Media Play Pause",
                          "Browser Search",
                          "Launch Mail",
                          "Volume Up",
                          "Volume Mute",
                          "Media Stop",
                          "Volume Down",
                          "Browser Favorites",
                          "Browser ForWard",
                          "Browser Back",
                          "Media Prev Track",
                          "Media Next Track",
                          "Computer",
                          "Browser Refresh"}) {
        names.emplace_back(n);
    }
    for (auto& n : names) {
        n = "keyboard_key_" + n;
    }
    names.emplace_back("wed_stop");
    for (const char* n : {"Launch Media Select", "Power", "Sleep", "Wakeup", "M1", "M2", "M3", "M4",
                          "M5", "FN", "GM"}) {
        names.push_back(std::string("keyboard_key_") + n);
    }
    return names;
}

TEST(KeyTables, HaveTheirPublishedSizes) {
    const std::vector<std::pair<keys::KeyGroup, std::size_t>> sizes = {
        {keys::KeyGroup::Button, 5},
        {keys::KeyGroup::Dpi, 3},
        {keys::KeyGroup::System, 3},
        {keys::KeyGroup::Media, 18},
        {keys::KeyGroup::Shortcut, 9},
        {keys::KeyGroup::CombinationKey, 11},
        {keys::KeyGroup::Gun, 4},
        {keys::KeyGroup::MKey, 5},
        {keys::KeyGroup::DeviceFunction, 6},
        {keys::KeyGroup::Keyboard, 141},
    };
    for (const auto& [group, size] : sizes) {
        EXPECT_EQ(keys::RowsOf(group).size(), size) << static_cast<int>(group);
    }
}

TEST(KeyboardTable, RowNamesFollowThePublishedOrder) {
    const auto expected = ExpectedKeyboardNames();
    ASSERT_EQ(expected.size(), kKeyboardTable.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(kKeyboardTable[i].name, expected[i]) << "row " << i;
    }
}

TEST(KeyboardTable, NoTwoRowsShareACodeNameOrScanCode) {
    std::set<std::uint32_t> codes;
    std::set<std::string_view> names;
    std::set<std::pair<int, bool>> scans;
    for (std::size_t i = 0; i < kKeyboardTable.size(); ++i) {
        const KeyRow& row = kKeyboardTable[i];
        EXPECT_TRUE(codes.insert(keys::PackKeyCode(row.code)).second) << "code of row " << i;
        EXPECT_TRUE(names.insert(row.name).second) << "name of row " << i;
        if (i <= keys::kLastScanCodeRow) {
            EXPECT_NE(row.scanCode, 0) << "row " << i << " needs a scan code";
            EXPECT_TRUE(scans.insert({row.scanCode, row.extended}).second) << "scan of row " << i;
        } else {
            EXPECT_EQ(row.scanCode, 0) << "row " << i << " is not a key of the PC keyboard";
        }
    }
}

TEST(KeyboardTable, HostKeysAreUniqueExceptWhereWindowsHasNoCode) {
    std::set<std::uint16_t> hostKeys;
    for (std::size_t i = 0; i < kKeyboardTable.size(); ++i) {
        if (kKeyboardTable[i].hostKey != keys::kNoHostKey) {
            EXPECT_TRUE(hostKeys.insert(kKeyboardTable[i].hostKey).second) << "row " << i;
        }
    }
}

TEST(KeyboardTable, PlainKeysFollowTheUsagePageInRowOrder) {
    // From A through the keypad and App usages climb; 0x32 (non-US hash) is skipped.
    int previous = 0;
    for (std::size_t i = 8; i <= 103; ++i) {
        const KeyCode& code = kKeyboardTable[i].code;
        EXPECT_EQ(code.type, 0x20);
        EXPECT_EQ(code.p1, 0);
        EXPECT_GT(code.p2, previous) << "row " << i;
        EXPECT_NE(code.p2, 0x32);
        previous = code.p2;
    }
    EXPECT_EQ(kKeyboardTable[8].code.p2, 0x04);  // A
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(kKeyboardTable[i].code, (KeyCode{0x20, static_cast<std::uint8_t>(1u << i), 0}));
    }
}

struct RowSample {
    std::size_t row;
    std::string_view name;
    std::uint16_t hostKey;
    KeyCode code;
    std::uint8_t scan;
    bool extended;
};

TEST(KeyboardTable, MatchesPublishedFigures) {
    const RowSample samples[] = {
        {0, "keyboard_key_LCtrl", 0xA2, {0x20, 0x01, 0}, 0x1D, false},
        {3, "keyboard_key_LWin", 0x5B, {0x20, 0x08, 0}, 0x5B, true},
        {4, "keyboard_key_RCtrl", 0xA3, {0x20, 0x10, 0}, 0x1D, true},
        {8, "keyboard_key_A", 'A', {0x20, 0, 0x04}, 0x1E, false},
        {44, "keyboard_key_Enter", 0x0D, {0x20, 0, 0x28}, 0x1C, false},
        {53, "keyboard_key_xiegang", 0xDC, {0x20, 0, 0x31}, 0x2B, false},
        {54, "keyboard_key_;", 0xBA, {0x20, 0, 0x33}, 0x27, false},
        {57, "keyboard_key_<", 0xBC, {0x20, 0, 0x36}, 0x33, false},
        {87, "keyboard_key_Num /", 0x6F, {0x20, 0, 0x54}, 0x35, true},
        {91, "keyboard_key_Num Enter", 0x0101, {0x20, 0, 0x58}, 0x1C, true},
        {101, "keyboard_key_Num 0", 0x60, {0x20, 0, 0x62}, 0x52, false},
        {102, "keyboard_key_Decimal", 0x6E, {0x20, 0, 0x63}, 0x53, false},
        {103, "keyboard_key_App", 0x5D, {0x20, 0, 0x65}, 0x5D, true},
        {104, "keyboard_key_K45", 0xE2, {0x20, 0, 0x64}, 0x56, false},
        {105, "keyboard_key_K56", 0xC1, {0x20, 0, 0x87}, 0x73, false},
        {106, "keyboard_key_K14", 0xFF, {0x20, 0, 0x89}, 0x7D, false},
        {107, "keyboard_key_K107", 0xC2, {0x20, 0, 0x85}, 0x7E, false},
        {108, "keyboard_key_K131", 0xEB, {0x20, 0, 0x8B}, 0x7B, false},
        {109, "keyboard_key_K132", 0xFF, {0x20, 0, 0x8A}, 0x79, false},
        {110, "keyboard_key_K133", 0xFF, {0x20, 0, 0x88}, 0x70, false},
        {111, "keyboard_key_K150", 0xE9, {0x20, 0, 0x91}, 0x71, false},
        {112, "keyboard_key_K151", 0xFF, {0x20, 0, 0x90}, 0x72, false},
        {129, "wed_stop", 0xA9, {0x30, 0x26, 0x02}, 0, false},
        {131, "keyboard_key_Power", 0x0103, {0x40, 0x01, 0}, 0, false},
        {132, "keyboard_key_Sleep", 0x0104, {0x40, 0x02, 0}, 0, false},
        {133, "keyboard_key_Wakeup", 0x0105, {0x40, 0x04, 0}, 0, false},
        {134, "keyboard_key_M1", 0xFF, {0xd0, 0xa2, 1}, 0, false},
        {138, "keyboard_key_M5", 0xFF, {0xd0, 0xa2, 5}, 0, false},
        {139, "keyboard_key_FN", 0xFF, {0xa0, 0x01, 0}, 0, false},
        {140, "keyboard_key_GM", 0xFF, {0xa0, 0x1b, 0}, 0, false},
    };
    for (const auto& s : samples) {
        const KeyRow& row = kKeyboardTable[s.row];
        EXPECT_EQ(row.name, s.name) << "row " << s.row;
        EXPECT_EQ(row.hostKey, s.hostKey) << s.name;
        EXPECT_EQ(row.code, s.code) << s.name;
        EXPECT_EQ(row.scanCode, s.scan) << s.name;
        EXPECT_EQ(row.extended, s.extended) << s.name;
    }
}

TEST(KeyboardTable, ConsumerRowsCarryExactlyTheMediaCodes) {
    std::set<std::uint32_t> media;
    for (const KeyRow& row : keys::kMediaTable) {
        media.insert(keys::PackKeyCode(row.code));
    }
    std::set<std::uint32_t> consumer;
    for (std::size_t i = 113; i <= 130; ++i) {
        consumer.insert(keys::PackKeyCode(kKeyboardTable[i].code));
    }
    EXPECT_EQ(consumer, media);
}

TEST(FunctionTables, ButtonOrderDiffersFromBitOrder) {
    const std::uint8_t bits[] = {0x01, 0x04, 0x02, 0x10, 0x08};
    const std::string_view names[] = {"mouse_key_left", "mouse_key_middle", "mouse_key_right",
                                      "mouse_key_forward", "mouse_key_back"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(keys::kButtonTable[i].code, (KeyCode{0x10, bits[i], 0}));
        EXPECT_EQ(keys::kButtonTable[i].name, names[i]);
    }
}

TEST(FunctionTables, MediaCodesSplitTheUsageIntoLowThenHighByte) {
    EXPECT_EQ(keys::kMediaTable[0].code, (KeyCode{0x30, 0x83, 0x01}));  // 0x0183
    EXPECT_EQ(keys::kMediaTable[0].name, "media_text");
    EXPECT_EQ(keys::kMediaTable[10].code, (KeyCode{0x30, 0x26, 0x02}));  // 0x0226
    EXPECT_EQ(keys::kMediaTable[10].name, "wed_stop");
    EXPECT_EQ(keys::kMediaTable[17].code, (KeyCode{0x30, 0x8A, 0x01}));
    EXPECT_EQ(keys::kMediaTable[17].name, "media_mail");
}

TEST(FunctionTables, HostKeysArePositionsExceptShortcutsFrom0x21) {
    for (auto group : {keys::KeyGroup::Button, keys::KeyGroup::Dpi, keys::KeyGroup::System,
                       keys::KeyGroup::Media, keys::KeyGroup::CombinationKey, keys::KeyGroup::Gun,
                       keys::KeyGroup::MKey, keys::KeyGroup::DeviceFunction}) {
        const auto rows = keys::RowsOf(group);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].hostKey, i) << static_cast<int>(group);
        }
    }
    for (std::size_t i = 0; i < keys::kShortcutTable.size(); ++i) {
        EXPECT_EQ(keys::kShortcutTable[i].hostKey, 0x21 + i);
        EXPECT_EQ(keys::kShortcutTable[i].code, (KeyCode{0x22, 0, static_cast<std::uint8_t>(i)}));
    }
    EXPECT_EQ(keys::kShortcutTable[0].name, "custem_cut");
    EXPECT_EQ(keys::kShortcutTable[8].name, "custem_open");
}

TEST(FunctionTables, CombinationKeysAreLeftCtrlWithThePublishedKeys) {
    const std::uint8_t usages[] = {0x12, 0x11, 0x1D, 0x16, 0x06, 0x1B,
                                   0x19, 0x09, 0x04, 0x2D, 0x2E};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(keys::kCombinationKeyTable[i].code, (KeyCode{0x20, 0x01, usages[i]}));
    }
}

TEST(FunctionTables, GroupsWithinATableNeverShareACode) {
    for (auto group :
         {keys::KeyGroup::Button, keys::KeyGroup::Dpi, keys::KeyGroup::System,
          keys::KeyGroup::Media, keys::KeyGroup::Shortcut, keys::KeyGroup::CombinationKey,
          keys::KeyGroup::Gun, keys::KeyGroup::MKey, keys::KeyGroup::DeviceFunction}) {
        std::set<std::uint32_t> codes;
        for (const KeyRow& row : keys::RowsOf(group)) {
            EXPECT_TRUE(codes.insert(keys::PackKeyCode(row.code)).second)
                << static_cast<int>(group) << " " << row.name;
        }
    }
}

}  // namespace
