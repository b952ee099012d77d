#pragma once

#include <cstdint>

namespace devices {

// One LED of the preview list.
struct LedColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    bool operator==(const LedColour&) const = default;
};

// The 32-bit entry form used by SetLedColour / GetLedColour: red in bits 0-7, green 8-15,
// blue 16-23, alpha 24-31 (the byte order of the entry).
inline std::uint32_t LedWord(const LedColour& c) {
    return static_cast<std::uint32_t>(c.red) | (static_cast<std::uint32_t>(c.green) << 8) |
           (static_cast<std::uint32_t>(c.blue) << 16) | (static_cast<std::uint32_t>(c.alpha) << 24);
}
inline LedColour LedFromWord(std::uint32_t word) {
    return {static_cast<std::uint8_t>(word & 0xFF), static_cast<std::uint8_t>((word >> 8) & 0xFF),
            static_cast<std::uint8_t>((word >> 16) & 0xFF), static_cast<std::uint8_t>(word >> 24)};
}
// The colour word a light button shows: red in bits 0-7, blue in 8-15, green in 16-23.
inline std::uint32_t PreviewColourWord(const LedColour& c) {
    return static_cast<std::uint32_t>(c.red) | (static_cast<std::uint32_t>(c.blue) << 8) |
           (static_cast<std::uint32_t>(c.green) << 16);
}

}  // namespace devices
