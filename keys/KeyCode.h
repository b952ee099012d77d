#pragma once

#include <cstdint>
#include <optional>

// A function on a button or key is three bytes: type, p1, p2. Profiles store it as one integer
// with the type in the most significant byte; device key tables hold the bytes in that order.
namespace keys {

struct KeyCode {
    std::uint8_t type = 0;
    std::uint8_t p1 = 0;
    std::uint8_t p2 = 0;

    friend constexpr bool operator==(const KeyCode&, const KeyCode&) = default;
};

// Function types (the first byte of a code).
namespace type {
inline constexpr std::uint8_t kOff = 0x00;
inline constexpr std::uint8_t kMouseButton = 0x10;
inline constexpr std::uint8_t kHorizontalSwing = 0x11;
inline constexpr std::uint8_t kWheelSwing = 0x12;
inline constexpr std::uint8_t kDpi = 0x13;
inline constexpr std::uint8_t kFire = 0x14;
inline constexpr std::uint8_t kDpiShift = 0x16;
inline constexpr std::uint8_t kKeyboard = 0x20;
inline constexpr std::uint8_t kShortcut = 0x22;
inline constexpr std::uint8_t kShowWindow = 0x23;
inline constexpr std::uint8_t kMedia = 0x30;
inline constexpr std::uint8_t kSystem = 0x40;
inline constexpr std::uint8_t kMacro = 0x70;
inline constexpr std::uint8_t kMacroRepeat = 0x71;
inline constexpr std::uint8_t kGun = 0x72;
inline constexpr std::uint8_t kDeviceFunction = 0xa0;
inline constexpr std::uint8_t kMKey = 0xd0;
}  // namespace type

// Types the firmware knows that are shown without any name.
inline constexpr bool IsUnnamedType(std::uint8_t t) {
    return t == 0x15 || t == 0x21 || t == 0x50 || t == 0x60 || t == 0xb0 || t == 0xc0;
}

// The profile integer: (type << 16) | (p1 << 8) | p2.
inline constexpr std::uint32_t PackKeyCode(std::uint8_t t, std::uint8_t p1, std::uint8_t p2) {
    return (std::uint32_t{t} << 16) | (std::uint32_t{p1} << 8) | std::uint32_t{p2};
}
inline constexpr std::uint32_t PackKeyCode(KeyCode code) {
    return PackKeyCode(code.type, code.p1, code.p2);
}

// Bits 16-23, 8-15 and 0-7; anything above bit 23 is ignored.
inline constexpr KeyCode UnpackKeyCode(std::uint32_t packed) {
    return KeyCode{static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
                   static_cast<std::uint8_t>(packed)};
}

// For integers read from files: a negative value or one above 24 bits is not a key code, and
// masking it would silently turn it into some other function.
inline constexpr std::optional<KeyCode> TryUnpackKeyCode(std::int64_t stored) {
    if (stored < 0 || stored > 0xFFFFFF) {
        return std::nullopt;
    }
    return UnpackKeyCode(static_cast<std::uint32_t>(stored));
}

// Device key table order: type, p1, p2.
inline constexpr void WriteKeyCodeBytes(KeyCode code, std::uint8_t* out) {
    out[0] = code.type;
    out[1] = code.p1;
    out[2] = code.p2;
}
inline constexpr KeyCode ReadKeyCodeBytes(const std::uint8_t* in) {
    return KeyCode{in[0], in[1], in[2]};
}

}  // namespace keys
