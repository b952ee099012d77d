#include "app/DeviceQueryBlock.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t WordAt(const DeviceQueryBlock& block, std::size_t index) {
    const std::size_t at = index * 4;
    return static_cast<std::uint32_t>(block[at]) | static_cast<std::uint32_t>(block[at + 1]) << 8 |
           static_cast<std::uint32_t>(block[at + 2]) << 16 |
           static_cast<std::uint32_t>(block[at + 3]) << 24;
}

TEST(DeviceQueryBlock, VersionKindsThenRowsLittleEndianRestZero) {
    const DeviceQueryBlock block = BuildDeviceQueryBlock();
    ASSERT_EQ(block.size(), 1024u);
    const std::uint32_t expected[] = {
        2,      3,      0, 2,  // software version
        4,                     // device kinds
        0x320F, 0x2210, 2,     // mouse
        0,      0,      1,     // keyboard
        0,      0,      3,     // mouse pad
        0,      0,      7,     // headset
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(WordAt(block, i), expected[i]) << "word " << i;
    }
    // Byte order of the first row: 0x320F is 0F 32 00 00.
    EXPECT_EQ(block[20], 0x0F);
    EXPECT_EQ(block[21], 0x32);
    for (std::size_t i = std::size(expected) * 4; i < block.size(); ++i) {
        ASSERT_EQ(block[i], 0) << "byte " << i;
    }
}

}  // namespace
