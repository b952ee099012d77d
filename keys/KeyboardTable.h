#pragma once

#include <array>
#include <cstdint>

#include "keys/KeyRow.h"

// The 141 rows of the keyboard table: host key (Windows virtual-key code), code, name and, for
// rows 0 to 112, the PC set-1 scan code with its extended flag. Plain keys are (0x20, 0, HID
// keyboard usage); modifiers (0x20, modifier bit, 0).
namespace keys {

namespace detail {
inline constexpr bool kExt = true;

constexpr KeyRow Modifier(std::uint16_t vk, std::uint8_t bit, std::string_view name,
                          std::uint8_t scan, bool extended = false) {
    return KeyRow{vk, KeyCode{type::kKeyboard, bit, 0}, name, scan, extended};
}
constexpr KeyRow Plain(std::uint16_t vk, std::uint8_t usage, std::string_view name,
                       std::uint8_t scan, bool extended = false) {
    return KeyRow{vk, KeyCode{type::kKeyboard, 0, usage}, name, scan, extended};
}
constexpr KeyRow Consumer(std::uint16_t vk, std::uint16_t usage, std::string_view name) {
    return KeyRow{vk,
                  KeyCode{type::kMedia, static_cast<std::uint8_t>(usage & 0xFF),
                          static_cast<std::uint8_t>(usage >> 8)},
                  name, 0, false};
}
constexpr KeyRow Special(std::uint16_t vk, std::uint8_t t, std::uint8_t p1, std::uint8_t p2,
                         std::string_view name) {
    return KeyRow{vk, KeyCode{t, p1, p2}, name, 0, false};
}
}  // namespace detail

// Host key used where Windows has no virtual-key code for a key.
inline constexpr std::uint16_t kNoHostKey = 0xFF;

// Rows 0 to this index carry scan codes.
inline constexpr std::size_t kLastScanCodeRow = 112;

inline constexpr std::array<KeyRow, 141> kKeyboardTable{{
    // 0-7: modifiers
    detail::Modifier(0xA2, 0x01, "keyboard_key_LCtrl", 0x1D),
    detail::Modifier(0xA0, 0x02, "keyboard_key_LShift", 0x2A),
    detail::Modifier(0xA4, 0x04, "keyboard_key_LAlt", 0x38),
    detail::Modifier(0x5B, 0x08, "keyboard_key_LWin", 0x5B, detail::kExt),
    detail::Modifier(0xA3, 0x10, "keyboard_key_RCtrl", 0x1D, detail::kExt),
    detail::Modifier(0xA1, 0x20, "keyboard_key_RShift", 0x36),
    detail::Modifier(0xA5, 0x40, "keyboard_key_RAlt", 0x38, detail::kExt),
    detail::Modifier(0x5C, 0x80, "keyboard_key_RWin", 0x5C, detail::kExt),
    // 8-33: letters
    detail::Plain('A', 0x04, "keyboard_key_A", 0x1E),
    detail::Plain('B', 0x05, "keyboard_key_B", 0x30),
    detail::Plain('C', 0x06, "keyboard_key_C", 0x2E),
    detail::Plain('D', 0x07, "keyboard_key_D", 0x20),
    detail::Plain('E', 0x08, "keyboard_key_E", 0x12),
    detail::Plain('F', 0x09, "keyboard_key_F", 0x21),
    detail::Plain('G', 0x0A, "keyboard_key_G", 0x22),
    detail::Plain('H', 0x0B, "keyboard_key_H", 0x23),
    detail::Plain('I', 0x0C, "keyboard_key_I", 0x17),
    detail::Plain('J', 0x0D, "keyboard_key_J", 0x24),
    detail::Plain('K', 0x0E, "keyboard_key_K", 0x25),
    detail::Plain('L', 0x0F, "keyboard_key_L", 0x26),
    detail::Plain('M', 0x10, "keyboard_key_M", 0x32),
    detail::Plain('N', 0x11, "keyboard_key_N", 0x31),
    detail::Plain('O', 0x12, "keyboard_key_O", 0x18),
    detail::Plain('P', 0x13, "keyboard_key_P", 0x19),
    detail::Plain('Q', 0x14, "keyboard_key_Q", 0x10),
    detail::Plain('R', 0x15, "keyboard_key_R", 0x13),
    detail::Plain('S', 0x16, "keyboard_key_S", 0x1F),
    detail::Plain('T', 0x17, "keyboard_key_T", 0x14),
    detail::Plain('U', 0x18, "keyboard_key_U", 0x16),
    detail::Plain('V', 0x19, "keyboard_key_V", 0x2F),
    detail::Plain('W', 0x1A, "keyboard_key_W", 0x11),
    detail::Plain('X', 0x1B, "keyboard_key_X", 0x2D),
    detail::Plain('Y', 0x1C, "keyboard_key_Y", 0x15),
    detail::Plain('Z', 0x1D, "keyboard_key_Z", 0x2C),
    // 34-43: digits 1 to 9, then 0
    detail::Plain('1', 0x1E, "keyboard_key_1", 0x02),
    detail::Plain('2', 0x1F, "keyboard_key_2", 0x03),
    detail::Plain('3', 0x20, "keyboard_key_3", 0x04),
    detail::Plain('4', 0x21, "keyboard_key_4", 0x05),
    detail::Plain('5', 0x22, "keyboard_key_5", 0x06),
    detail::Plain('6', 0x23, "keyboard_key_6", 0x07),
    detail::Plain('7', 0x24, "keyboard_key_7", 0x08),
    detail::Plain('8', 0x25, "keyboard_key_8", 0x09),
    detail::Plain('9', 0x26, "keyboard_key_9", 0x0A),
    detail::Plain('0', 0x27, "keyboard_key_0", 0x0B),
    // 44-60: editing keys and punctuation (usage 0x32, non-US hash, has no row)
    detail::Plain(0x0D, 0x28, "keyboard_key_Enter", 0x1C),
    detail::Plain(0x1B, 0x29, "keyboard_key_Esc", 0x01),
    detail::Plain(0x08, 0x2A, "keyboard_key_BackSpace", 0x0E),
    detail::Plain(0x09, 0x2B, "keyboard_key_Tab", 0x0F),
    detail::Plain(0x20, 0x2C, "keyboard_key_Space", 0x39),
    detail::Plain(0xBD, 0x2D, "keyboard_key_-", 0x0C),
    detail::Plain(0xBB, 0x2E, "keyboard_key_=", 0x0D),
    detail::Plain(0xDB, 0x2F, "keyboard_key_[", 0x1A),
    detail::Plain(0xDD, 0x30, "keyboard_key_]", 0x1B),
    detail::Plain(0xDC, 0x31, "keyboard_key_xiegang", 0x2B),
    detail::Plain(0xBA, 0x33, "keyboard_key_;", 0x27),
    detail::Plain(0xDE, 0x34, "keyboard_key_'", 0x28),
    detail::Plain(0xC0, 0x35, "keyboard_key_`", 0x29),
    detail::Plain(0xBC, 0x36, "keyboard_key_<", 0x33),
    detail::Plain(0xBE, 0x37, "keyboard_key_.", 0x34),
    detail::Plain(0xBF, 0x38, "keyboard_key_/", 0x35),
    detail::Plain(0x14, 0x39, "keyboard_key_Caplk", 0x3A),
    // 61-72: function keys
    detail::Plain(0x70, 0x3A, "keyboard_key_F1", 0x3B),
    detail::Plain(0x71, 0x3B, "keyboard_key_F2", 0x3C),
    detail::Plain(0x72, 0x3C, "keyboard_key_F3", 0x3D),
    detail::Plain(0x73, 0x3D, "keyboard_key_F4", 0x3E),
    detail::Plain(0x74, 0x3E, "keyboard_key_F5", 0x3F),
    detail::Plain(0x75, 0x3F, "keyboard_key_F6", 0x40),
    detail::Plain(0x76, 0x40, "keyboard_key_F7", 0x41),
    detail::Plain(0x77, 0x41, "keyboard_key_F8", 0x42),
    detail::Plain(0x78, 0x42, "keyboard_key_F9", 0x43),
    detail::Plain(0x79, 0x43, "keyboard_key_F10", 0x44),
    detail::Plain(0x7A, 0x44, "keyboard_key_F11", 0x57),
    detail::Plain(0x7B, 0x45, "keyboard_key_F12", 0x58),
    // 73-85: navigation block (Pause is 0x45 plain; Num Lock is 0x45 extended)
    detail::Plain(0x2C, 0x46, "keyboard_key_Print Scr", 0x37, detail::kExt),
    detail::Plain(0x91, 0x47, "keyboard_key_Scroll Lock", 0x46),
    detail::Plain(0x13, 0x48, "keyboard_key_Pause", 0x45),
    detail::Plain(0x2D, 0x49, "keyboard_key_Insert", 0x52, detail::kExt),
    detail::Plain(0x24, 0x4A, "keyboard_key_Home", 0x47, detail::kExt),
    detail::Plain(0x21, 0x4B, "keyboard_key_Page Up", 0x49, detail::kExt),
    detail::Plain(0x2E, 0x4C, "keyboard_key_Delete", 0x53, detail::kExt),
    detail::Plain(0x23, 0x4D, "keyboard_key_End", 0x4F, detail::kExt),
    detail::Plain(0x22, 0x4E, "keyboard_key_Page Down", 0x51, detail::kExt),
    detail::Plain(0x27, 0x4F, "keyboard_key_Right", 0x4D, detail::kExt),
    detail::Plain(0x25, 0x50, "keyboard_key_Left", 0x4B, detail::kExt),
    detail::Plain(0x28, 0x51, "keyboard_key_Down", 0x50, detail::kExt),
    detail::Plain(0x26, 0x52, "keyboard_key_Up", 0x48, detail::kExt),
    // 86-103: keypad and the application key. Num Enter's virtual key would be Enter's, so it
    // carries 0x0101 instead.
    detail::Plain(0x90, 0x53, "keyboard_key_Num Lock", 0x45, detail::kExt),
    detail::Plain(0x6F, 0x54, "keyboard_key_Num /", 0x35, detail::kExt),
    detail::Plain(0x6A, 0x55, "keyboard_key_Num *", 0x37),
    detail::Plain(0x6D, 0x56, "keyboard_key_Num -", 0x4A),
    detail::Plain(0x6B, 0x57, "keyboard_key_Num +", 0x4E),
    detail::Plain(0x0101, 0x58, "keyboard_key_Num Enter", 0x1C, detail::kExt),
    detail::Plain(0x61, 0x59, "keyboard_key_Num 1", 0x4F),
    detail::Plain(0x62, 0x5A, "keyboard_key_Num 2", 0x50),
    detail::Plain(0x63, 0x5B, "keyboard_key_Num 3", 0x51),
    detail::Plain(0x64, 0x5C, "keyboard_key_Num 4", 0x4B),
    detail::Plain(0x65, 0x5D, "keyboard_key_Num 5", 0x4C),
    detail::Plain(0x66, 0x5E, "keyboard_key_Num 6", 0x4D),
    detail::Plain(0x67, 0x5F, "keyboard_key_Num 7", 0x47),
    detail::Plain(0x68, 0x60, "keyboard_key_Num 8", 0x48),
    detail::Plain(0x69, 0x61, "keyboard_key_Num 9", 0x49),
    detail::Plain(0x60, 0x62, "keyboard_key_Num 0", 0x52),
    detail::Plain(0x6E, 0x63, "keyboard_key_Decimal", 0x53),
    detail::Plain(0x5D, 0x65, "keyboard_key_App", 0x5D, detail::kExt),
    // 104-112: international keys
    detail::Plain(0xE2, 0x64, "keyboard_key_K45", 0x56),
    detail::Plain(0xC1, 0x87, "keyboard_key_K56", 0x73),
    detail::Plain(kNoHostKey, 0x89, "keyboard_key_K14", 0x7D),
    detail::Plain(0xC2, 0x85, "keyboard_key_K107", 0x7E),
    detail::Plain(0xEB, 0x8B, "keyboard_key_K131", 0x7B),
    detail::Plain(kNoHostKey, 0x8A, "keyboard_key_K132", 0x79),
    detail::Plain(kNoHostKey, 0x88, "keyboard_key_K133", 0x70),
    detail::Plain(0xE9, 0x91, "keyboard_key_K150", 0x71),
    detail::Plain(kNoHostKey, 0x90, "keyboard_key_K151", 0x72),
    // 113-130: consumer keys
    detail::Consumer(0xB7, 0x0192, "keyboard_key_Launch App2"),
    detail::Consumer(0xAC, 0x0223, "keyboard_key_Browaer Home"),
    detail::Consumer(0xB3, 0x00CD, "keyboard_key_Media Play Pause"),
    detail::Consumer(0xAA, 0x0221, "keyboard_key_Browser Search"),
    detail::Consumer(0xB4, 0x018A, "keyboard_key_Launch Mail"),
    detail::Consumer(0xAF, 0x00E9, "keyboard_key_Volume Up"),
    detail::Consumer(0xAD, 0x00E2, "keyboard_key_Volume Mute"),
    detail::Consumer(0xB2, 0x00B7, "keyboard_key_Media Stop"),
    detail::Consumer(0xAE, 0x00EA, "keyboard_key_Volume Down"),
    detail::Consumer(0xAB, 0x022A, "keyboard_key_Browser Favorites"),
    detail::Consumer(0xA7, 0x0225, "keyboard_key_Browser ForWard"),
    detail::Consumer(0xA6, 0x0224, "keyboard_key_Browser Back"),
    detail::Consumer(0xB1, 0x00B6, "keyboard_key_Media Prev Track"),
    detail::Consumer(0xB0, 0x00B5, "keyboard_key_Media Next Track"),
    detail::Consumer(0xB6, 0x0194, "keyboard_key_Computer"),
    detail::Consumer(0xA8, 0x0227, "keyboard_key_Browser Refresh"),
    detail::Consumer(0xA9, 0x0226, "wed_stop"),
    detail::Consumer(0xB5, 0x0183, "keyboard_key_Launch Media Select"),
    // 131-133: system keys
    detail::Special(0x0103, type::kSystem, 0x01, 0, "keyboard_key_Power"),
    detail::Special(0x0104, type::kSystem, 0x02, 0, "keyboard_key_Sleep"),
    detail::Special(0x0105, type::kSystem, 0x04, 0, "keyboard_key_Wakeup"),
    // 134-140: M keys, FN and game mode; no virtual-key code exists for them
    detail::Special(kNoHostKey, type::kMKey, 0xa2, 1, "keyboard_key_M1"),
    detail::Special(kNoHostKey, type::kMKey, 0xa2, 2, "keyboard_key_M2"),
    detail::Special(kNoHostKey, type::kMKey, 0xa2, 3, "keyboard_key_M3"),
    detail::Special(kNoHostKey, type::kMKey, 0xa2, 4, "keyboard_key_M4"),
    detail::Special(kNoHostKey, type::kMKey, 0xa2, 5, "keyboard_key_M5"),
    detail::Special(kNoHostKey, type::kDeviceFunction, 0x01, 0, "keyboard_key_FN"),
    detail::Special(kNoHostKey, type::kDeviceFunction, 0x1b, 0, "keyboard_key_GM"),
}};

}  // namespace keys
