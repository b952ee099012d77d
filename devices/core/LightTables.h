#pragma once

#include <array>
#include <cstdint>

// The tables the light preview draws from.
namespace devices::lighttables {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr std::size_t kWheelSize = 192;
inline constexpr std::size_t kBreathing128Size = 128;
inline constexpr std::size_t kBreathing96Size = 96;

// Brightness by level 0 to 5; levels above 5 read as 5.
std::uint8_t Brightness(unsigned level);
// 64 rising values, then the same in reverse.
extern const std::array<std::uint8_t, kBreathing128Size> kBreathing128;
// The mouse's own curve: 48 rising values, then the same in reverse.
extern const std::array<std::uint8_t, kBreathing96Size> kBreathing96;
// Six segments of 32: red to yellow, yellow to green, green to cyan, cyan to blue, blue to
// magenta, magenta to red.
extern const std::array<Rgb, kWheelSize> kWheel;
inline constexpr std::array<Rgb, 4> kFourColours = {Rgb{0, 255, 180}, Rgb{0, 255, 0},
                                                    Rgb{255, 255, 255}, Rgb{255, 0, 0}};
// Blink interval in units of 200 ms by speed 0 to 4; 0 (toggle at every step) from 5 on.
unsigned BlinkIntervalUnits(unsigned speed);
inline unsigned BlinkIntervalMs(unsigned speed) {
    return BlinkIntervalUnits(speed) * 200;
}
// Preview ticks between steps by speed index 0 to 5 (table A); 0 runs every tick.
unsigned StepIntervalTicks(unsigned speed);
// Table B of the user light player's wheel mode, by speed 0 to 5.
unsigned WheelIntervalTicks(unsigned speed);

}  // namespace devices::lighttables
