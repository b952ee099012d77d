#include <gtest/gtest.h>

#include <string_view>

#include "keys/FunctionTables.h"
#include "keys/KeyChoices.h"
#include "keys/KeyLookup.h"
#include "keys/KeyboardTable.h"

namespace {

using keys::KeyCode;
using keys::KeyRow;
using keys::kKeyboardTable;

std::string_view NameOf(const KeyRow* row) {
    return row ? row->name : std::string_view{"<none>"};
}

TEST(ScanCodeLookup, TheExtendedFlagTellsKeysOfTheSameScanCodeApart) {
    struct Case {
        std::uint8_t scan;
        bool extended;
        std::string_view name;
    };
    const Case cases[] = {
        {0x1D, false, "keyboard_key_LCtrl"},   {0x1D, true, "keyboard_key_RCtrl"},
        {0x38, false, "keyboard_key_LAlt"},    {0x38, true, "keyboard_key_RAlt"},
        {0x5B, true, "keyboard_key_LWin"},     {0x1E, false, "keyboard_key_A"},
        {0x1C, false, "keyboard_key_Enter"},   {0x1C, true, "keyboard_key_Num Enter"},
        {0x35, false, "keyboard_key_/"},       {0x35, true, "keyboard_key_Num /"},
        {0x45, false, "keyboard_key_Pause"},   {0x45, true, "keyboard_key_Num Lock"},
        {0x37, false, "keyboard_key_Num *"},   {0x37, true, "keyboard_key_Print Scr"},
        {0x4F, false, "keyboard_key_Num 1"},   {0x4F, true, "keyboard_key_End"},
        {0x53, false, "keyboard_key_Decimal"}, {0x53, true, "keyboard_key_Delete"},
        {0x56, false, "keyboard_key_K45"},     {0x73, false, "keyboard_key_K56"},
        {0x7D, false, "keyboard_key_K14"},     {0x7E, false, "keyboard_key_K107"},
        {0x7B, false, "keyboard_key_K131"},    {0x79, false, "keyboard_key_K132"},
        {0x70, false, "keyboard_key_K133"},    {0x71, false, "keyboard_key_K150"},
        {0x72, false, "keyboard_key_K151"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameOf(keys::FindKeyboardRowByScanCode(c.scan, c.extended)), c.name)
            << std::hex << int{c.scan} << (c.extended ? " ext" : "");
    }
}

TEST(ScanCodeLookup, UnknownKeysFindNothing) {
    const std::pair<std::uint8_t, bool> unknown[] = {
        {0x00, false}, {0x00, true}, {0x1E, true},  {0x5B, false},
        {0xFF, false}, {0xFF, true}, {0x59, false},  // keypad equals: not in the catalogue
    };
    for (const auto& [scan, extended] : unknown) {
        EXPECT_EQ(keys::FindKeyboardRowByScanCode(scan, extended), nullptr)
            << std::hex << int{scan} << (extended ? " ext" : "");
    }
}

TEST(ScanCodeLookup, EveryScanRowAndEveryPlainKeyIsFoundBack) {
    for (std::size_t i = 0; i <= keys::kLastScanCodeRow; ++i) {
        const KeyRow& row = kKeyboardTable[i];
        EXPECT_EQ(keys::FindKeyboardRowByScanCode(row.scanCode, row.extended), &row) << i;
        EXPECT_EQ(keys::KeyboardRowIndex(&row), i);
        if (row.code.p1 == 0) {
            EXPECT_EQ(keys::FindKeyboardRowByUsage(row.code.p2), &row) << i;
        } else {
            EXPECT_EQ(keys::FindModifierRowByBit(row.code.p1), &row) << i;
        }
    }
    for (const KeyRow& row : kKeyboardTable) {
        EXPECT_EQ(keys::FindKeyboardRowByCode(row.code), &row) << row.name;
    }
}

TEST(UsageLookup, OnlyPlainKeysHaveUsages) {
    EXPECT_EQ(keys::FindKeyboardRowByUsage(0x00), nullptr);
    EXPECT_EQ(keys::FindKeyboardRowByUsage(0x32), nullptr);  // non-US hash has no row
    EXPECT_EQ(keys::FindKeyboardRowByUsage(0xE0), nullptr);  // modifiers are bits, not usages
    EXPECT_EQ(keys::FindKeyboardRowByUsage(0xFF), nullptr);
    EXPECT_EQ(NameOf(keys::FindKeyboardRowByUsage(0x64)), "keyboard_key_K45");
    EXPECT_EQ(NameOf(keys::FindKeyboardRowByUsage(0x65)), "keyboard_key_App");
    // A media usage low byte is no keyboard usage.
    EXPECT_EQ(keys::FindKeyboardRowByUsage(0xE9), nullptr);
}

TEST(ModifierLookup, OnlySingleBits) {
    EXPECT_EQ(keys::FindModifierRowByBit(0), nullptr);
    EXPECT_EQ(keys::FindModifierRowByBit(0x03), nullptr);
    EXPECT_EQ(NameOf(keys::FindModifierRowByBit(0x80)), "keyboard_key_RWin");
}

TEST(CodeLookup, FindsOnlyExactCodes) {
    EXPECT_EQ(NameOf(keys::FindKeyboardRowByCode(KeyCode{0x30, 0xE9, 0x00})),
              "keyboard_key_Volume Up");
    EXPECT_EQ(keys::FindKeyboardRowByCode(KeyCode{0x20, 0xE9, 0x00}), nullptr);
    EXPECT_EQ(keys::FindKeyboardRowByCode(KeyCode{0x20, 0x01, 0x06}), nullptr);
    EXPECT_EQ(keys::KeyboardRowIndex(nullptr), std::nullopt);
    EXPECT_EQ(keys::KeyboardRowIndex(&keys::kMediaTable[0]), std::nullopt);
}

TEST(ListPositions, MapToRowsAndStalePositionsFindNothing) {
    const auto media = keys::RowsOf(keys::KeyGroup::Media);
    EXPECT_EQ(keys::RowAt(media, -1), nullptr);
    EXPECT_EQ(keys::RowAt(media, 18), nullptr);
    EXPECT_EQ(NameOf(keys::RowAt(media, 17)), "media_mail");
    EXPECT_EQ(keys::FindRowIndex(media, KeyCode{0x30, 0xE2, 0x00}), 7u);
    EXPECT_EQ(keys::FindRowIndex(media, KeyCode{0x30, 0xE2, 0x01}), std::nullopt);
    const auto buttons = keys::RowsOf(keys::KeyGroup::Button);
    EXPECT_EQ(keys::FindRowIndex(buttons, KeyCode{0x10, 0x02, 0}), 2u);  // right is row 2
    EXPECT_EQ(keys::RowsOf(static_cast<keys::KeyGroup>(99)).size(), 0u);
}

}  // namespace
