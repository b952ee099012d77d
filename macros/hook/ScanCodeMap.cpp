#include "macros/hook/ScanCodeMap.h"

#include <array>

namespace capture {

namespace {

struct Row {
    std::uint16_t evdev;
    std::uint8_t code;
    bool extended;
};

constexpr bool kExt = true;

// Codes 1 to 88 (Esc through F12, the main block and the keypad) are the set-1 codes
// themselves, except Num Lock, which a hook reports as 0x45 extended (plain 0x45 is Pause).
// The rest, sorted by evdev code:
constexpr std::array kRows{
    Row{89, 0x73, false},   // KEY_RO
    Row{90, 0x78, false},   // KEY_KATAKANA
    Row{91, 0x77, false},   // KEY_HIRAGANA
    Row{92, 0x79, false},   // KEY_HENKAN
    Row{93, 0x70, false},   // KEY_KATAKANAHIRAGANA
    Row{94, 0x7B, false},   // KEY_MUHENKAN
    Row{95, 0x5C, false},   // KEY_KPJPCOMMA
    Row{96, 0x1C, kExt},    // KEY_KPENTER
    Row{97, 0x1D, kExt},    // KEY_RIGHTCTRL
    Row{98, 0x35, kExt},    // KEY_KPSLASH
    Row{99, 0x37, kExt},    // KEY_SYSRQ (Print Screen)
    Row{100, 0x38, kExt},   // KEY_RIGHTALT
    Row{102, 0x47, kExt},   // KEY_HOME
    Row{103, 0x48, kExt},   // KEY_UP
    Row{104, 0x49, kExt},   // KEY_PAGEUP
    Row{105, 0x4B, kExt},   // KEY_LEFT
    Row{106, 0x4D, kExt},   // KEY_RIGHT
    Row{107, 0x4F, kExt},   // KEY_END
    Row{108, 0x50, kExt},   // KEY_DOWN
    Row{109, 0x51, kExt},   // KEY_PAGEDOWN
    Row{110, 0x52, kExt},   // KEY_INSERT
    Row{111, 0x53, kExt},   // KEY_DELETE
    Row{113, 0x20, kExt},   // KEY_MUTE
    Row{114, 0x2E, kExt},   // KEY_VOLUMEDOWN
    Row{115, 0x30, kExt},   // KEY_VOLUMEUP
    Row{116, 0x5E, kExt},   // KEY_POWER
    Row{117, 0x59, false},  // KEY_KPEQUAL
    Row{119, 0x45, false},  // KEY_PAUSE
    Row{121, 0x7E, false},  // KEY_KPCOMMA
    Row{122, 0x72, false},  // KEY_HANGEUL
    Row{123, 0x71, false},  // KEY_HANJA
    Row{124, 0x7D, false},  // KEY_YEN
    Row{125, 0x5B, kExt},   // KEY_LEFTMETA
    Row{126, 0x5C, kExt},   // KEY_RIGHTMETA
    Row{127, 0x5D, kExt},   // KEY_COMPOSE (application key)
    Row{128, 0x68, kExt},   // KEY_STOP
    Row{140, 0x21, kExt},   // KEY_CALC
    Row{142, 0x5F, kExt},   // KEY_SLEEP
    Row{143, 0x63, kExt},   // KEY_WAKEUP
    Row{155, 0x6C, kExt},   // KEY_MAIL
    Row{156, 0x66, kExt},   // KEY_BOOKMARKS
    Row{157, 0x6B, kExt},   // KEY_COMPUTER
    Row{158, 0x6A, kExt},   // KEY_BACK
    Row{159, 0x69, kExt},   // KEY_FORWARD
    Row{163, 0x19, kExt},   // KEY_NEXTSONG
    Row{164, 0x22, kExt},   // KEY_PLAYPAUSE
    Row{165, 0x10, kExt},   // KEY_PREVIOUSSONG
    Row{166, 0x24, kExt},   // KEY_STOPCD
    Row{172, 0x32, kExt},   // KEY_HOMEPAGE
    Row{173, 0x67, kExt},   // KEY_REFRESH
    Row{183, 0x64, false},  // KEY_F13 .. KEY_F23
    Row{184, 0x65, false}, Row{185, 0x66, false}, Row{186, 0x67, false}, Row{187, 0x68, false},
    Row{188, 0x69, false}, Row{189, 0x6A, false}, Row{190, 0x6B, false}, Row{191, 0x6C, false},
    Row{192, 0x6D, false}, Row{193, 0x6E, false}, Row{194, 0x76, false},  // KEY_F24
    Row{217, 0x65, kExt},                                                 // KEY_SEARCH
    Row{226, 0x6D, kExt},                                                 // KEY_MEDIA
};

constexpr std::uint32_t kKeyNumLock = 69;
constexpr std::uint32_t kLastDirectCode = 88;  // KEY_F12
constexpr std::uint32_t kXkbOffset = 8;

}  // namespace

std::optional<ScanCode> ScanCodeFromEvdev(std::uint32_t evdevCode) {
    if (evdevCode == kKeyNumLock) {
        return kNumLock;
    }
    if (evdevCode >= 1 && evdevCode <= kLastDirectCode && evdevCode != 84) {
        return ScanCode{static_cast<std::uint8_t>(evdevCode), false};
    }
    for (const Row& row : kRows) {
        if (row.evdev == evdevCode) {
            return ScanCode{row.code, row.extended};
        }
    }
    return std::nullopt;
}

std::optional<ScanCode> ScanCodeFromXkbKeycode(std::uint32_t keycode) {
    if (keycode < kXkbOffset) {
        return std::nullopt;
    }
    return ScanCodeFromEvdev(keycode - kXkbOffset);
}

bool IsLockKey(ScanCode key) {
    return key == kCapsLock || key == kNumLock || key == kScrollLock;
}

}  // namespace capture
