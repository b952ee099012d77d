#pragma once

#include <json/json.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The event object of macro and shoot files ({"Action", "Button", "Type", "Delay"}) and its
// 4-byte device form.
namespace macros {

enum class EventType : int {
    MouseButton =
        1,  // Button: button bit (0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 fwd)
    LegacyMouse2 = 2,  // accepted on load, never created
    LegacyMouse3 = 3,  // accepted on load, never created
    MoveX = 4,         // Button: distance; "down" left, "up" right
    MoveY = 5,         // Button: distance; "down" up, "up" down
    Modifier = 9,      // Button: modifier bit (0x01 left Ctrl ... 0x80 right Win)
    Key = 10,          // Button: HID keyboard usage
};

inline constexpr std::string_view kActionDown = "down";
inline constexpr std::string_view kActionUp = "up";

// True for the types a loaded file may carry.
bool IsKnownEventType(std::int64_t type);

// The decimal value of a "Delay" member: a string gives its leading digits after optional
// blanks and sign (no digits: 0), a number its integral value; anything else (or nullptr) is 0.
std::int64_t DelayValue(const Json::Value* delay);

// Parses delay text as DelayValue does for a string.
std::int64_t ParseDelayText(std::string_view text);

// The delay shown and stored for a value: 0..65535 as it is, anything else (larger or negative,
// compared as unsigned) as 65535.
std::uint16_t ClampDelay(std::int64_t value);

// A new event object with "Delay" as a decimal string, the form every save writes.
Json::Value MakeEvent(bool down, int button, EventType type, std::uint16_t delay);

using DeviceEventRecord = std::array<std::uint8_t, 4>;

// Delay low byte, delay high byte, low byte of "Type" with bit 7 set for "down", low byte of
// "Button". The delay is clamped as the editor shows it, so an out-of-range delay in a file
// never wraps to a short one on the device.
DeviceEventRecord EncodeDeviceEvent(const Json::Value& event);

}  // namespace macros
