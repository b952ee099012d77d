#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <QString>

namespace appearance {

// Device kinds the battery indicator knows (kind codes of the device list).
inline constexpr int kPowerKindMouse = 2;
inline constexpr int kPowerKindMousePad = 3;

// What one status record of a device asks the battery indicator to show. Empty optionals mean
// "leave that part as it is".
struct PowerDisplay {
    int percent = 0;
    int progressValue = 0;  // the bar shows the part that is used up
    QString valueText;      // "30%"
    std::optional<bool> wirelessLogoVisible;
    std::optional<bool> progressVisible;
    std::optional<QString> statusImage;  // an image description: "file='power/powering.png'"
    std::optional<QString> phoneTip;     // language text id
    std::optional<QString> phoneImage;
};

inline constexpr std::size_t kPowerRecordSize = 64;

// Reads a status record (at most 64 bytes are used; a shorter one counts as padded with zeros).
PowerDisplay DecodePowerRecord(int deviceKind, const std::uint8_t* record, std::size_t length);

}  // namespace appearance
