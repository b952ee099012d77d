#pragma once

#include <array>
#include <cstdint>
#include <string>

// What the mouse page shows, as the mouse core keeps it.
namespace devices {

inline constexpr int kMouseDpiStageCount = 4;
inline constexpr int kMouseReportRateCount = 5;
inline constexpr int kMouseButtonCount = 10;

// Limits from the device information; step is never 0.
struct DpiLimits {
    int sliderMin = 2;
    int sliderMax = 0;
    int editMin = 0;
    int editMax = 0;
    int step = 1;
};

// One DPI stage as its four controls show it.
struct DpiStageView {
    bool present = false;      // the profile has this stage
    bool enabled = false;      // "DPI_enable_check_" selected, "DPI_layout_" enabled
    bool checkEnabled = true;  // false for the last enabled stage: it cannot be switched off
    bool active = false;       // the active stage (its slider gets the highlighted images)
    int sliderValue = 0;       // device units
    int dpi = 0;               // sliderValue × step, the edit's text
};

// The settings read from the device's settings area.
struct MouseDeviceState {
    std::uint8_t profile = 0;
    std::uint8_t lightEffect = 0;
    std::uint8_t brightness = 0;
    std::uint8_t speedIndex = 0;
    std::uint8_t multiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t reportRate = 0;
    std::uint8_t activeStage = 0;

    bool operator==(const MouseDeviceState&) const = default;
};

// "SystemStages" and the report rate ("SystemStagesRecord"). Only the profile holds these: the
// operating system's mouse settings are not changed.
struct MouseSystemSettings {
    std::uint16_t doubleClickTime = 0;
    std::uint16_t mouseSpeed = 0;
    std::uint16_t pointerPrecision = 0;
    std::uint16_t scorllPage = 0;
    std::uint16_t wheelScorlllinse = 0;
    std::uint16_t reportRate = 0;

    bool operator==(const MouseSystemSettings&) const = default;
};

// One row of "device_setkeyinfo_list": the button's name and its function, both as shown.
struct KeyInfoRow {
    int button = 0;
    std::string keyName;
    std::string functionName;
};

// Text ids of the button names, UI button order.
inline constexpr std::array<const char*, kMouseButtonCount> kMouseButtonNameIds = {
    "mouse_key_left",  "mouse_key_right",   "mouse_key_middle",  "mouse_key_forward",
    "mouse_key_back",  "mouse_key_DPI_add", "mouse_key_DPI_sub", "mouse_key_DPI_loop",
    "keyboard_key_GM", "mouse_key_M8_key"};

}  // namespace devices
