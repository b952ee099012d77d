#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The answer to a companion program's device query: 1024 bytes of 32-bit little-endian
// integers: the software version in four parts, the number of device kinds, then vendor id,
// product id and kind code of each device kind row in order; the rest zero.
inline constexpr std::size_t kDeviceQueryBlockSize = 1024;
using DeviceQueryBlock = std::array<std::uint8_t, kDeviceQueryBlockSize>;

DeviceQueryBlock BuildDeviceQueryBlock();
