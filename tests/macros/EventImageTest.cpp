#include <gtest/gtest.h>

#include <vector>

#include "macros/EventImage.h"

namespace {

using macros::DeviceEventRecord;

TEST(EventImage, HeaderOffsetsAndRecordsInMacroOrder) {
    const std::vector<std::vector<DeviceEventRecord>> records = {
        {{0x64, 0x00, 0x81, 0x01}, {0x00, 0x00, 0x01, 0x01}},
        {},
        {{0x2C, 0x01, 0x8A, 0x04}},
    };
    const std::vector<std::uint8_t> expected = {
        0xAA, 0x55, 0x2E, 0x00, 0x03, 0x00, 0,    0,    0,    0,    0,    0,
        0,    0,    0,    0,                 // header, length 46
        0x16, 0x00, 0x22, 0x00, 0x26, 0x00,  // offsets 22, 34, 38
        0x02, 0x00, 0,    0,    0x64, 0x00, 0x81, 0x01, 0x00, 0x00, 0x01, 0x01,  // macro 0
        0x00, 0x00, 0,    0,                                                     // macro 1
        0x01, 0x00, 0,    0,    0x2C, 0x01, 0x8A, 0x04,                          // macro 2
    };
    EXPECT_EQ(macros::EventImageLength(records), expected.size());
    EXPECT_EQ(macros::BuildEventImage(records), expected);
}

TEST(EventImage, AnImageTooLongForItsLengthFieldIsRefused) {
    // 16 + 6 + 4 × 16378 = 65534 fits; four more bytes do not.
    std::vector<std::vector<DeviceEventRecord>> records(1);
    records[0].resize(16378);
    EXPECT_EQ(macros::BuildEventImage(records).size(), 65534u);
    records[0].resize(16379);
    EXPECT_EQ(macros::EventImageLength(records), 65538u);
    EXPECT_TRUE(macros::BuildEventImage(records).empty());
}

}  // namespace
