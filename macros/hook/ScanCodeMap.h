#pragma once

#include <cstdint>
#include <optional>

// Key identity as the recorder and the key set panel expect it: a PC set-1 scan code with the
// extended-key flag, as a Windows low-level keyboard hook reports it.
namespace capture {

struct ScanCode {
    std::uint8_t code = 0;
    bool extended = false;
    friend bool operator==(const ScanCode&, const ScanCode&) = default;
};

// A Linux input event code (KEY_* of linux/input-event-codes.h); none for codes without a PC
// scan code.
std::optional<ScanCode> ScanCodeFromEvdev(std::uint32_t evdevCode);

// The native scan code of a key event on X11 and Wayland: an XKB keycode, which is the evdev
// code + 8. Codes below 8 (the offscreen platform gives 0) have no scan code.
std::optional<ScanCode> ScanCodeFromXkbKeycode(std::uint32_t keycode);

// Keys a capture passes on to the system: Caps Lock, Num Lock and Scroll Lock.
bool IsLockKey(ScanCode key);

inline constexpr ScanCode kCapsLock{0x3A, false};
inline constexpr ScanCode kNumLock{0x45, true};
inline constexpr ScanCode kScrollLock{0x46, false};

}  // namespace capture
