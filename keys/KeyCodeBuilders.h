#pragma once

#include <cstdint>
#include <optional>

#include "keys/KeyCode.h"

// Building codes from the key set panel's fields and reading them back. Numeric fields are kept
// to the bits the firmware reserves for them (a delay of 20 becomes 4), as the device would.
namespace keys {

// Swing (tilt 0x11, wheel 0x12): p1 = (delay << 4) | speed, p2 = (direction << 7) | count.
struct SwingParams {
    std::uint8_t delay = 0;    // 0-15
    std::uint8_t speed = 0;    // 0-15
    bool rightOrDown = false;  // direction 1: right for tilt, down for the wheel
    std::uint8_t count = 0;    // 0-127
};

inline constexpr KeyCode MakeSwingCode(std::uint8_t swingType, SwingParams params) {
    return KeyCode{
        swingType,
        static_cast<std::uint8_t>(((params.delay & 0x0Fu) << 4) | (params.speed & 0x0Fu)),
        static_cast<std::uint8_t>((params.rightOrDown ? 0x80u : 0u) | (params.count & 0x7Fu))};
}

// Field values as typed: each is kept to its low bits.
inline constexpr KeyCode MakeSwingCode(std::uint8_t swingType, bool rightOrDown,
                                       std::uint32_t count, std::uint32_t delay,
                                       std::uint32_t speed) {
    return MakeSwingCode(swingType,
                         SwingParams{static_cast<std::uint8_t>(delay & 0x0Fu),
                                     static_cast<std::uint8_t>(speed & 0x0Fu), rightOrDown,
                                     static_cast<std::uint8_t>(count & 0x7Fu)});
}

inline constexpr SwingParams DecodeSwing(KeyCode code) {
    return SwingParams{static_cast<std::uint8_t>(code.p1 >> 4),
                       static_cast<std::uint8_t>(code.p1 & 0x0Fu), (code.p2 & 0x80u) != 0,
                       static_cast<std::uint8_t>(code.p2 & 0x7Fu)};
}

// Fire key: interval and count, each kept to its low byte.
inline constexpr KeyCode MakeFireCode(std::uint32_t interval, std::uint32_t count) {
    return KeyCode{type::kFire, static_cast<std::uint8_t>(interval & 0xFFu),
                   static_cast<std::uint8_t>(count & 0xFFu)};
}

// Macro run modes 0-3 are stored as p2 of type 0x70; mode 4 repeats a number of times and is
// stored as type 0x71 with the repeat count (kept to its low byte) in p2.
inline constexpr int kMacroRepeatMode = 4;

struct MacroParams {
    std::uint8_t macroNumber = 0;
    int runMode = 0;               // 0-4
    std::uint8_t repeatCount = 0;  // only for mode 4
};

inline constexpr std::optional<KeyCode> MakeMacroCode(std::uint32_t macroNumber, int runMode,
                                                      std::uint32_t repeatCount = 0) {
    if (macroNumber > 0xFF || runMode < 0 || runMode > kMacroRepeatMode) {
        return std::nullopt;
    }
    const auto number = static_cast<std::uint8_t>(macroNumber);
    if (runMode == kMacroRepeatMode) {
        return KeyCode{type::kMacroRepeat, number, static_cast<std::uint8_t>(repeatCount & 0xFFu)};
    }
    return KeyCode{type::kMacro, number, static_cast<std::uint8_t>(runMode)};
}

// Only for types 0x70 and 0x71.
inline constexpr std::optional<MacroParams> DecodeMacro(KeyCode code) {
    if (code.type == type::kMacroRepeat) {
        return MacroParams{code.p1, kMacroRepeatMode, code.p2};
    }
    if (code.type == type::kMacro) {
        return MacroParams{code.p1, code.p2, 0};
    }
    return std::nullopt;
}

inline constexpr bool IsMacroCode(KeyCode code) {
    return code.type == type::kMacro || code.type == type::kMacroRepeat;
}

// Recoil data sets 0-3.
inline constexpr std::optional<KeyCode> MakeGunCode(std::uint32_t set) {
    if (set > 3) {
        return std::nullopt;
    }
    return KeyCode{type::kGun, static_cast<std::uint8_t>(set), 0};
}

// A keyboard key with modifier bits (0x01 left Ctrl ... 0x80 right Win) and a HID usage.
inline constexpr KeyCode MakeKeyboardCode(std::uint8_t modifierBits, std::uint8_t usage) {
    return KeyCode{type::kKeyboard, modifierBits, usage};
}

// The panel's five modifier options: 0 none, 1 Ctrl, 2 Shift, 3 Alt, 4 Win. Options produce
// left-hand modifiers; any other option means none.
inline constexpr std::uint8_t ModifierBitForOption(int option) {
    return (option >= 1 && option <= 4) ? static_cast<std::uint8_t>(1u << (option - 1)) : 0;
}

// The option showing one modifier bit; right-hand modifiers show as their left-hand option.
// p1 values that are not exactly one modifier bit show option 0.
inline constexpr int ModifierOptionForBit(std::uint8_t bit) {
    for (int row = 0; row < 8; ++row) {
        if (bit == (1u << row)) {
            return ((row + 1) % 5) + ((row + 1) / 5);
        }
    }
    return 0;
}

}  // namespace keys
