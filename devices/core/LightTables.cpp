#include "devices/core/LightTables.h"

namespace devices::lighttables {
namespace {

constexpr std::array<std::uint8_t, 6> kBrightness = {0x00, 0x20, 0x40, 0x80, 0xBE, 0xFF};

constexpr std::array<std::uint8_t, 64> kRising64 = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<std::uint8_t, 48> kRising48 = {
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<std::uint8_t, 32> kRise = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<std::uint8_t, 32> kFall = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

template <std::size_t N>
constexpr std::array<std::uint8_t, 2 * N> Mirrored(const std::array<std::uint8_t, N>& rising) {
    std::array<std::uint8_t, 2 * N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = rising[i];
        out[2 * N - 1 - i] = rising[i];
    }
    return out;
}

constexpr std::array<Rgb, kWheelSize> MakeWheel() {
    std::array<Rgb, kWheelSize> wheel{};
    for (std::size_t i = 0; i < 32; ++i) {
        wheel[i] = {255, kRise[i], 0};
        wheel[32 + i] = {kFall[i], 255, 0};
        wheel[64 + i] = {0, 255, kRise[i]};
        wheel[96 + i] = {0, kFall[i], 255};
        wheel[128 + i] = {kRise[i], 0, 255};
        wheel[160 + i] = {255, 0, kFall[i]};
    }
    return wheel;
}

constexpr std::array<unsigned, 5> kBlinkUnits = {28, 23, 18, 13, 7};
constexpr std::array<unsigned, 6> kStepTicks = {28, 23, 18, 13, 7, 0};
constexpr std::array<unsigned, 6> kWheelTicks = {6, 5, 4, 3, 2, 1};

}  // namespace

const std::array<std::uint8_t, kBreathing128Size> kBreathing128 = Mirrored(kRising64);
const std::array<std::uint8_t, kBreathing96Size> kBreathing96 = Mirrored(kRising48);
const std::array<Rgb, kWheelSize> kWheel = MakeWheel();

std::uint8_t Brightness(unsigned level) {
    return kBrightness[level < kBrightness.size() ? level : kBrightness.size() - 1];
}

unsigned BlinkIntervalUnits(unsigned speed) {
    return speed < kBlinkUnits.size() ? kBlinkUnits[speed] : 0;
}

unsigned StepIntervalTicks(unsigned speed) {
    return speed < kStepTicks.size() ? kStepTicks[speed] : 0;
}

unsigned WheelIntervalTicks(unsigned speed) {
    return speed < kWheelTicks.size() ? kWheelTicks[speed] : 1;
}

}  // namespace devices::lighttables
