#pragma once

#include <array>
#include <cstdint>
#include <string>

// In-memory shapes of the profile document's sections. The device kinds build their device
// payloads from these.

// The current light setting: twelve bytes, handed over as three little-endian 32-bit words.
struct LightInfoRecord {
    std::uint8_t selectItem = 0;  // effect number
    std::uint8_t light = 0;       // brightness level
    std::uint8_t speed = 0;       // speed level
    std::uint8_t fx = 0;          // direction
    std::uint8_t multiColor = 0;  // 0 or 1
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::array<std::uint8_t, 3> unused{};  // not held by the document
    std::uint8_t zzccLedMode = 0;

    std::array<std::uint8_t, 12> Bytes() const;
    std::uint32_t WordA() const;  // bytes 0 to 3
    std::uint32_t WordB() const;  // bytes 4 to 7
    std::uint32_t WordC() const;  // bytes 8 to 11
    static LightInfoRecord FromBytes(const std::array<std::uint8_t, 12>& bytes);
    static LightInfoRecord FromWords(std::uint32_t a, std::uint32_t b, std::uint32_t c);

    bool operator==(const LightInfoRecord&) const = default;
};

// One LED's area light setting of "LightList"; present is 0 for a null element.
struct LightListEntry {
    std::uint8_t ledRegMode = 0;
    std::uint8_t ledBrightness = 0;
    std::uint8_t ledSpeed = 0;
    std::uint8_t ledDirection = 0;
    std::uint8_t ledMultiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t present = 0;

    bool operator==(const LightListEntry&) const = default;
};

// One step of a user light effect.
struct LightEffectStep {
    std::uint8_t ledRegMode = 0;
    std::uint8_t ledBrightness = 0;
    std::uint8_t ledSpeed = 0;
    std::uint8_t ledDirection = 0;
    std::uint8_t ledMultiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::int32_t time = 0;  // milliseconds
    std::int32_t cyle = 0;

    bool operator==(const LightEffectStep&) const = default;
};

// A key code as three bytes: bits 16-23, 8-15 and 0-7 of its 24-bit JSON value.
using KeyCode = std::array<std::uint8_t, 3>;

KeyCode KeyCodeFromValue(std::uint32_t value);
std::uint32_t KeyCodeValue(const KeyCode& code);

// One "KeyList" element: the key's current and factory functions.
struct KeyListEntry {
    std::uint16_t index = 0;
    KeyCode assignment{};
    std::uint16_t defaultIndex = 0;
    KeyCode defaultAssignment{};

    bool operator==(const KeyListEntry&) const = default;
};

// One DPI stage; DPI values are in slider units of the device.
struct DpiStage {
    std::uint8_t enabled = 0;
    std::uint8_t xy = 0;
    std::uint16_t dpiX = 0;
    std::uint16_t dpiY = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const DpiStage&) const = default;
};

// One key colour of a keyboard custom light group.
struct CustomLightColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    bool operator==(const CustomLightColor&) const = default;
};

// One mouse correction preset of "CorrectInfo".
struct CorrectionEntry {
    std::uint8_t pixThresh = 0;
    std::uint8_t minSq = 0;
    std::uint8_t select = 0;
    std::string name;  // UTF-8

    bool operator==(const CorrectionEntry&) const = default;
};

// "SystemStages" as three words of two 16-bit halves (low half first):
// keyboard (Repeat, RepeatDelay), (Key6Flag, PollingRate), (WFlag, WinFlag);
// mouse (DoubleClickTime, MouseSpeed), (PointerPrecision, ScorllPage),
//       (WheelScorlllinse, "ReportStages"."StageActive").
using SystemStageWords = std::array<std::uint32_t, 3>;

inline std::uint32_t PackHalves(std::uint16_t low, std::uint16_t high) {
    return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}
inline std::uint16_t LowHalf(std::uint32_t word) {
    return static_cast<std::uint16_t>(word & 0xFFFFu);
}
inline std::uint16_t HighHalf(std::uint32_t word) {
    return static_cast<std::uint16_t>(word >> 16);
}

// The headset's "SystemSetStages" in order: MagicEnable, MagicType, EqType, CustomEqSeletIndex,
// MicInSelect, MicInValue, MicMoniterSelect, MicMoniterValue.
using HeadsetSettings = std::array<std::int32_t, 8>;
