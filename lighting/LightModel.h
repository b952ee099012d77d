#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The light setting fields and how effects are numbered per device kind.
namespace lighting {

// Index of a kind in the outer arrays of "default_light.json" and "tamric_light.config".
enum class DeviceNumber : int { Keyboard = 0, Mouse = 1, MousePad = 2, Headset = 3 };
inline constexpr int kDeviceNumberCount = 4;

// Device kind codes of the interface table.
inline constexpr int kKindKeyboard = 1;
inline constexpr int kKindMouse = 2;
inline constexpr int kKindMousePad = 3;
inline constexpr int kKindWirelessMouse = 6;
inline constexpr int kKindHeadset = 7;

// The device number of a kind code; none for an unknown code.
std::optional<DeviceNumber> DeviceNumberOfKind(int kind);

// Byte positions of the light setting (`LightInfoRecord`); 8 to 10 are not stored.
enum class LightField : std::size_t {
    SelectItem = 0,  // effect number
    Light = 1,       // brightness level
    Speed = 2,       // speed level
    Fx = 3,          // direction: 1 left, 0 right
    MultiColor = 4,  // 1: the colours of the wheel; 0: the single colour
    Red = 5,
    Green = 6,
    Blue = 7,
    ZZCCLedMode = 11,  // keyboard: index in the extra mode list
};

inline constexpr std::uint8_t kDirectionLeft = 1;
inline constexpr std::uint8_t kDirectionRight = 0;

// Highest brightness and speed level: 5 on the keyboard, 4 on the other kinds.
int MaxLightLevel(DeviceNumber device);

// Effects the kind has built in (mouse, mouse pad, headset 0..8; keyboard 0..27).
int BuiltInEffectCount(DeviceNumber device);

// Effect number of user light 0: effect first + k is user light k.
int FirstUserLightNumber(DeviceNumber device);

// Effect numbers are one byte ("SelectItem"): the effect list and the user lights of a kind end
// where the numbers do.
inline constexpr std::size_t kEffectNumberCount = 256;
std::size_t UserLightCapacity(DeviceNumber device);

// The user light an effect number selects: k = effect − first user light number; none below it.
std::optional<std::size_t> UserLightIndex(DeviceNumber device, int effect);

// Keyboard specifics.
inline constexpr int kKeyboardExtraModeEffect = 17;     // offers the extra mode list
inline constexpr int kKeyboardCustomColourEffect = 20;  // one colour per key, in groups
inline constexpr std::size_t kKeyboardLedCount = 126;

// Per-LED area animation (LEDREGMode of "LightList" entries and user light steps).
inline constexpr int kAreaModeBreathing = 0;
inline constexpr int kAreaModeBlinking = 2;
inline constexpr int kAreaModeWheel = 3;
inline constexpr int kAreaModeDark = 4;

}  // namespace lighting
