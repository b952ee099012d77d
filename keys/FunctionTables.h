#pragma once

#include <array>
#include <cstdint>

#include "keys/KeyRow.h"

// The named functions of every group except the keyboard. Row order is the order of the key set
// panel's lists, so an item position is a row number.
namespace keys {

namespace detail {
constexpr KeyRow Row(std::uint16_t position, std::uint8_t t, std::uint8_t p1, std::uint8_t p2,
                     std::string_view name) {
    return KeyRow{position, KeyCode{t, p1, p2}, name, 0, false};
}
constexpr KeyRow MediaRow(std::uint16_t position, std::uint16_t usage, std::string_view name) {
    return Row(position, type::kMedia, static_cast<std::uint8_t>(usage & 0xFF),
               static_cast<std::uint8_t>(usage >> 8), name);
}
}  // namespace detail

// Order differs from the bit order on purpose: left, middle, right, forward, back.
inline constexpr std::array<KeyRow, 5> kButtonTable{{
    detail::Row(0, type::kMouseButton, 0x01, 0, "mouse_key_left"),
    detail::Row(1, type::kMouseButton, 0x04, 0, "mouse_key_middle"),
    detail::Row(2, type::kMouseButton, 0x02, 0, "mouse_key_right"),
    detail::Row(3, type::kMouseButton, 0x10, 0, "mouse_key_forward"),
    detail::Row(4, type::kMouseButton, 0x08, 0, "mouse_key_back"),
}};

inline constexpr std::array<KeyRow, 3> kDpiTable{{
    detail::Row(0, type::kDpi, 0x01, 0, "mouse_key_DPI_add"),
    detail::Row(1, type::kDpi, 0x02, 0, "mouse_key_DPI_sub"),
    detail::Row(2, type::kDpi, 0x03, 0, "mouse_key_DPI_loop"),
}};

inline constexpr std::array<KeyRow, 3> kSystemTable{{
    detail::Row(0, type::kSystem, 0x01, 0, "system_power"),
    detail::Row(1, type::kSystem, 0x02, 0, "system_sleep"),
    detail::Row(2, type::kSystem, 0x04, 0, "system_wake_up"),
}};

// Consumer-page usages: p1 is the low byte, p2 the high byte. The "wed_" ids are spelled so in
// the language files.
inline constexpr std::array<KeyRow, 18> kMediaTable{{
    detail::MediaRow(0, 0x0183, "media_text"),
    detail::MediaRow(1, 0x00CD, "media_play"),
    detail::MediaRow(2, 0x00B7, "media_stop"),
    detail::MediaRow(3, 0x00B6, "media_prev"),
    detail::MediaRow(4, 0x00B5, "media_next"),
    detail::MediaRow(5, 0x00EA, "media_vol_sub"),
    detail::MediaRow(6, 0x00E9, "media_vol_add"),
    detail::MediaRow(7, 0x00E2, "media_mute"),
    detail::MediaRow(8, 0x0223, "web_text"),
    detail::MediaRow(9, 0x0227, "web_refresh"),
    detail::MediaRow(10, 0x0226, "wed_stop"),
    detail::MediaRow(11, 0x0224, "wed_back"),
    detail::MediaRow(12, 0x0225, "wed_forward"),
    detail::MediaRow(13, 0x022A, "wed_favorite"),
    detail::MediaRow(14, 0x0221, "web_search"),
    detail::MediaRow(15, 0x0194, "media_mypc"),
    detail::MediaRow(16, 0x0192, "media_calc"),
    detail::MediaRow(17, 0x018A, "media_mail"),
}};

// p2 is the row; host keys start at 0x21.
inline constexpr std::array<KeyRow, 9> kShortcutTable{{
    detail::Row(0x21, type::kShortcut, 0, 0, "custem_cut"),
    detail::Row(0x22, type::kShortcut, 0, 1, "custem_copy"),
    detail::Row(0x23, type::kShortcut, 0, 2, "custem_paste"),
    detail::Row(0x24, type::kShortcut, 0, 3, "custem_undo"),
    detail::Row(0x25, type::kShortcut, 0, 4, "custem_select_all"),
    detail::Row(0x26, type::kShortcut, 0, 5, "custem_find"),
    detail::Row(0x27, type::kShortcut, 0, 6, "custem_new"),
    detail::Row(0x28, type::kShortcut, 0, 7, "custem_save"),
    detail::Row(0x29, type::kShortcut, 0, 8, "custem_open"),
}};

// Left Ctrl with one key each: O, N, Z, S, C, X, V, F, A, minus, equals. The rows have no name
// of their own; their display name is composed from the keyboard rows.
inline constexpr std::array<KeyRow, 11> kCombinationKeyTable{{
    detail::Row(0, type::kKeyboard, 0x01, 0x12, {}),
    detail::Row(1, type::kKeyboard, 0x01, 0x11, {}),
    detail::Row(2, type::kKeyboard, 0x01, 0x1D, {}),
    detail::Row(3, type::kKeyboard, 0x01, 0x16, {}),
    detail::Row(4, type::kKeyboard, 0x01, 0x06, {}),
    detail::Row(5, type::kKeyboard, 0x01, 0x1B, {}),
    detail::Row(6, type::kKeyboard, 0x01, 0x19, {}),
    detail::Row(7, type::kKeyboard, 0x01, 0x09, {}),
    detail::Row(8, type::kKeyboard, 0x01, 0x04, {}),
    detail::Row(9, type::kKeyboard, 0x01, 0x2D, {}),
    detail::Row(10, type::kKeyboard, 0x01, 0x2E, {}),
}};

// Recoil data sets 0 to 3.
inline constexpr std::array<KeyRow, 4> kGunTable{{
    detail::Row(0, type::kGun, 0, 0, "gun_1_txt"),
    detail::Row(1, type::kGun, 1, 0, "gun_2_txt"),
    detail::Row(2, type::kGun, 2, 0, "gun_3_txt"),
    detail::Row(3, type::kGun, 3, 0, "gun_4_txt"),
}};

inline constexpr std::array<KeyRow, 5> kMKeyTable{{
    detail::Row(0, type::kMKey, 0xa2, 1, "keyboard_key_M1"),
    detail::Row(1, type::kMKey, 0xa2, 2, "keyboard_key_M2"),
    detail::Row(2, type::kMKey, 0xa2, 3, "keyboard_key_M3"),
    detail::Row(3, type::kMKey, 0xa2, 4, "keyboard_key_M4"),
    detail::Row(4, type::kMKey, 0xa2, 5, "keyboard_key_M5"),
}};

// Used for naming only. The DPI-shift row matches type 0x16 with any parameters.
inline constexpr std::array<KeyRow, 6> kDeviceFunctionTable{{
    detail::Row(0, type::kDeviceFunction, 0x02, 0, "mouse_key_smart_key"),
    detail::Row(1, type::kDeviceFunction, 0x00, 0, "close_text"),
    detail::Row(2, type::kDpiShift, 0, 0, "mouse_key_DPI_shift"),
    detail::Row(3, type::kShowWindow, 0, 0, "show_window"),
    detail::Row(4, type::kKeyboard, 0, 0, "mouse_key_shortcut_key"),
    detail::Row(5, type::kKeyboard, 0x80, 0, "win_key_text"),
}};

// Fixed names of whole types.
inline constexpr std::string_view kOffName = "close_text";
inline constexpr std::string_view kFireName = "mouse_key_fire_key";
inline constexpr std::string_view kDpiShiftName = "mouse_key_DPI_shift";
inline constexpr std::string_view kSwingLeftName = "mouse_key_left_Swing";
inline constexpr std::string_view kSwingRightName = "mouse_key_right_Swing";
inline constexpr std::string_view kWheelUpName = "mouse_key_up_Swing";
inline constexpr std::string_view kWheelDownName = "mouse_key_down_Swing";

}  // namespace keys
