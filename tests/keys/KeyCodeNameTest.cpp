#include <gtest/gtest.h>

#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "keys/FunctionTables.h"
#include "keys/KeyChoices.h"
#include "keys/KeyCodeName.h"

namespace {

using keys::KeyCode;
using keys::KeyNameKind;

struct NameCase {
    KeyCode code;
    KeyNameKind kind;
    std::vector<std::string_view> ids;  // text ids, or the macro name
};

std::vector<std::string_view> IdsOf(const keys::KeyName& name) {
    if (name.kind == KeyNameKind::MacroName) {
        return {name.macroName};
    }
    return {name.parts.begin(), name.parts.begin() + static_cast<std::ptrdiff_t>(name.partCount)};
}

void ExpectNames(const std::vector<NameCase>& cases, std::span<const std::string> macros = {}) {
    for (const auto& c : cases) {
        const auto name = keys::KeyCodeName(c.code, macros);
        SCOPED_TRACE(::testing::Message() << std::hex << keys::PackKeyCode(c.code));
        EXPECT_EQ(name.kind, c.kind);
        EXPECT_EQ(IdsOf(name), c.ids);
    }
}

constexpr auto kId = KeyNameKind::TextId;
constexpr auto kComposed = KeyNameKind::Composed;
constexpr auto kUnknown = KeyNameKind::Unknown;
constexpr auto kNoName = KeyNameKind::NoName;

TEST(KeyCodeName, MouseFunctions) {
    ExpectNames({
        {{0x10, 0x01, 0}, kId, {"mouse_key_left"}},
        {{0x10, 0x04, 0}, kId, {"mouse_key_middle"}},
        {{0x10, 0x02, 0}, kId, {"mouse_key_right"}},
        {{0x10, 0x10, 0}, kId, {"mouse_key_forward"}},
        {{0x10, 0x08, 0}, kId, {"mouse_key_back"}},
        {{0x10, 0x03, 0}, kUnknown, {}},  // two buttons at once is no button of the table
        {{0x10, 0x20, 0}, kUnknown, {}},
        {{0x11, 0x35, 0x83}, kId, {"mouse_key_right_Swing"}},
        {{0x11, 0xFF, 0x7F}, kId, {"mouse_key_left_Swing"}},
        {{0x12, 0x00, 0x80}, kId, {"mouse_key_down_Swing"}},
        {{0x12, 0x00, 0x00}, kId, {"mouse_key_up_Swing"}},
        {{0x13, 0x01, 0}, kId, {"mouse_key_DPI_add"}},
        {{0x13, 0x02, 0}, kId, {"mouse_key_DPI_sub"}},
        {{0x13, 0x03, 0}, kId, {"mouse_key_DPI_loop"}},
        {{0x13, 0x04, 0}, kUnknown, {}},
        {{0x14, 30, 5}, kId, {"mouse_key_fire_key"}},
        {{0x16, 0x90, 0x01}, kId, {"mouse_key_DPI_shift"}},
    });
}

TEST(KeyCodeName, KeyboardKeysAndComposition) {
    ExpectNames({
        {{0x20, 0, 0}, kId, {"close_text"}},
        {{0x20, 0, 0x04}, kId, {"keyboard_key_A"}},
        {{0x20, 0, 0x58}, kId, {"keyboard_key_Num Enter"}},
        {{0x20, 0x01, 0}, kId, {"keyboard_key_LCtrl"}},
        {{0x20, 0x80, 0}, kId, {"keyboard_key_RWin"}},
        {{0x20, 0x01, 0x06}, kComposed, {"keyboard_key_LCtrl", "keyboard_key_C"}},
        {{0x20, 0x10, 0x2E}, kComposed, {"keyboard_key_RCtrl", "keyboard_key_="}},
        // Several modifiers: in bit order, then the key.
        {{0x20, 0x05, 0x04},
         kComposed,
         {"keyboard_key_LCtrl", "keyboard_key_LAlt", "keyboard_key_A"}},
        {{0x20, 0x03, 0}, kComposed, {"keyboard_key_LCtrl", "keyboard_key_LShift"}},
        {{0x20, 0xFF, 0x29},
         kComposed,
         {"keyboard_key_LCtrl", "keyboard_key_LShift", "keyboard_key_LAlt", "keyboard_key_LWin",
          "keyboard_key_RCtrl", "keyboard_key_RShift", "keyboard_key_RAlt", "keyboard_key_RWin",
          "keyboard_key_Esc"}},
        // Same bytes as the Volume Up row, but a keyboard code: its modifiers, not Volume Up.
        {{0x20, 0xE9, 0},
         kComposed,
         {"keyboard_key_LCtrl", "keyboard_key_LWin", "keyboard_key_RShift", "keyboard_key_RAlt",
          "keyboard_key_RWin"}},
        {{0x20, 0, 0x32}, kUnknown, {}},     // usage without a row
        {{0x20, 0x01, 0x32}, kUnknown, {}},  // never half a name
        {{0x20, 0, 0xE0}, kUnknown, {}},
    });
}

TEST(KeyCodeName, OffIgnoresParameters) {
    ExpectNames({
        {{0x00, 0, 0}, kId, {"close_text"}},
        {{0x00, 0, 0x04}, kId, {"close_text"}},
        {{0x00, 0x01, 0}, kId, {"close_text"}},
    });
}

TEST(KeyCodeName, TablesOfHostFunctions) {
    ExpectNames({
        {{0x22, 0, 0}, kId, {"custem_cut"}},
        {{0x22, 0, 8}, kId, {"custem_open"}},
        {{0x22, 0, 9}, kUnknown, {}},
        {{0x23, 0, 0}, kId, {"show_window"}},
        {{0x23, 1, 0}, kUnknown, {}},
        {{0x30, 0x83, 0x01}, kId, {"media_text"}},
        {{0x30, 0xE9, 0x00}, kId, {"media_vol_add"}},  // the media name, not the keyboard row's
        {{0x30, 0x26, 0x02}, kId, {"wed_stop"}},
        {{0x30, 0x00, 0x00}, kUnknown, {}},
        {{0x40, 0x01, 0}, kId, {"system_power"}},
        {{0x40, 0x02, 0}, kId, {"system_sleep"}},
        {{0x40, 0x04, 0}, kId, {"system_wake_up"}},
        {{0x40, 0x08, 0}, kUnknown, {}},
    });
}

TEST(KeyCodeName, DeviceGunAndMKeys) {
    ExpectNames({
        {{0x72, 0, 0}, kId, {"gun_1_txt"}},
        {{0x72, 3, 0}, kId, {"gun_4_txt"}},
        {{0x72, 4, 0}, kUnknown, {}},
        {{0xa0, 0x02, 0}, kId, {"mouse_key_smart_key"}},
        {{0xa0, 0x00, 0}, kId, {"close_text"}},
        {{0xa0, 0x01, 0}, kId, {"keyboard_key_FN"}},
        {{0xa0, 0x1b, 0}, kId, {"keyboard_key_GM"}},
        {{0xa0, 0x01, 5}, kUnknown, {}},
        {{0xa0, 0x24, 0}, kUnknown, {}},
        {{0xd0, 0xa2, 1}, kId, {"keyboard_key_M1"}},
        {{0xd0, 0xa2, 5}, kId, {"keyboard_key_M5"}},
        {{0xd0, 0xa2, 6}, kUnknown, {}},
        {{0xd0, 0x00, 1}, kUnknown, {}},
    });
}

TEST(KeyCodeName, TypesWithoutANameAndForeignTypes) {
    for (std::uint8_t t : {0x15, 0x21, 0x50, 0x60, 0xb0, 0xc0}) {
        EXPECT_EQ(keys::KeyCodeName(KeyCode{t, 1, 2}).kind, kNoName) << int{t};
    }
    for (std::uint8_t t : {0x01, 0x17, 0x24, 0x73, 0xFF}) {
        EXPECT_EQ(keys::KeyCodeName(KeyCode{t, 0, 0}).kind, KeyNameKind::UnknownType) << int{t};
    }
}

TEST(KeyCodeName, MacrosTakeTheirNameFromTheDeviceList) {
    const std::vector<std::string> macros = {"Reload", "Build \xE5\xBB\xBA"};
    ExpectNames(
        {
            {{0x70, 0, 3}, KeyNameKind::MacroName, {"Reload"}},
            {{0x71, 1, 200}, KeyNameKind::MacroName, {"Build \xE5\xBB\xBA"}},
            {{0x70, 2, 0}, kNoName, {}},  // the list is shorter
            {{0x71, 255, 0}, kNoName, {}},
        },
        macros);
    EXPECT_EQ(keys::KeyCodeName(KeyCode{0x70, 0, 0}).kind, kNoName);  // no list at all
}

TEST(KeyNameText, JoinsLanguageTextsAndShowsTheOffTextOnlyForForeignTypes) {
    const std::map<std::string_view, std::string> texts = {
        {"keyboard_key_LCtrl", "Ctrl"}, {"keyboard_key_C", "C"}, {"close_text", "Off"}};
    const auto lookup = [&](std::string_view id) {
        auto it = texts.find(id);
        return it == texts.end() ? std::string(id) : it->second;
    };
    const std::vector<std::string> macros = {"Combo"};
    const auto text = [&](KeyCode code) {
        return keys::KeyNameText(keys::KeyCodeName(code, macros), lookup);
    };
    EXPECT_EQ(text({0x20, 0x01, 0x06}), "Ctrl+C");
    EXPECT_EQ(text({0x20, 0x00, 0x00}), "Off");
    EXPECT_EQ(text({0x70, 0x00, 0x00}), "Combo");
    EXPECT_EQ(text({0x70, 0x01, 0x00}), "");
    EXPECT_EQ(text({0xb0, 0x00, 0x00}), "");
    // A device function without a name (a keyboard default) shows nothing rather than "off".
    EXPECT_EQ(text({0xa0, 0x24, 0x00}), "");
    EXPECT_EQ(text({0x20, 0x01, 0x32}), "");
    EXPECT_EQ(text({0x99, 0x00, 0x00}), keys::kUnknownKeyText);
}

// Every possible code gets a well-formed answer: ids only from the catalogue, macro names only
// for macro codes within the list.
TEST(KeyCodeName, EveryCodeHasAWellFormedName) {
    std::unordered_set<std::string_view> known = {
        keys::kOffName,        keys::kFireName,    keys::kDpiShiftName, keys::kSwingLeftName,
        keys::kSwingRightName, keys::kWheelUpName, keys::kWheelDownName};
    for (auto group :
         {keys::KeyGroup::Button, keys::KeyGroup::Dpi, keys::KeyGroup::System,
          keys::KeyGroup::Media, keys::KeyGroup::Shortcut, keys::KeyGroup::Gun,
          keys::KeyGroup::MKey, keys::KeyGroup::DeviceFunction, keys::KeyGroup::Keyboard}) {
        for (const auto& row : keys::RowsOf(group)) {
            known.insert(row.name);
        }
    }
    // Types with a name rule; every other type is either unnamed or foreign.
    const std::unordered_set<std::uint8_t> namedTypes = {0x00, 0x10, 0x11, 0x12, 0x13, 0x14,
                                                         0x16, 0x20, 0x22, 0x23, 0x30, 0x40,
                                                         0x70, 0x71, 0x72, 0xa0, 0xd0};
    const std::vector<std::string> macros = {"a", "b", "c"};
    for (std::uint32_t packed = 0; packed <= 0xFFFFFF; ++packed) {
        const KeyCode code = keys::UnpackKeyCode(packed);
        const auto name = keys::KeyCodeName(code, macros);
        bool ok = true;
        switch (name.kind) {
            case KeyNameKind::TextId:
                ok = name.partCount == 1;
                break;
            case KeyNameKind::Composed:
                ok = code.type == 0x20 && name.partCount >= 2 &&
                     name.partCount <= keys::KeyName::kMaxParts;
                break;
            case KeyNameKind::MacroName:
                ok = (code.type == 0x70 || code.type == 0x71) && code.p1 < macros.size() &&
                     name.macroName == macros[code.p1];
                break;
            case KeyNameKind::NoName:
                ok = name.partCount == 0 &&
                     (keys::IsUnnamedType(code.type) || code.type == 0x70 || code.type == 0x71);
                break;
            case KeyNameKind::Unknown:
                ok = name.partCount == 0 && namedTypes.count(code.type) == 1;
                break;
            case KeyNameKind::UnknownType:
                ok = name.partCount == 0 && namedTypes.count(code.type) == 0 &&
                     !keys::IsUnnamedType(code.type);
                break;
        }
        for (std::size_t i = 0; ok && i < name.partCount; ++i) {
            ok = known.count(name.parts[i]) == 1;
        }
        if (!ok) {
            FAIL() << "code " << std::hex << packed;
        }
    }
}

}  // namespace
