#include "protocol/FrameLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace protocol;

TEST(FrameLayout, BeginSessionFrameHasChecksumOne) {
    Frame frame;
    StartRequest(frame, 1);
    SealFrame(frame);
    EXPECT_EQ(frame[0], 4);
    EXPECT_EQ(frame[1], 0x01);
    EXPECT_EQ(frame[2], 0x00);
    EXPECT_TRUE(HasValidChecksum(frame));
}

TEST(FrameLayout, ChecksumCoversBytesThreeToSixtyThreeOnly) {
    Frame frame;
    StartRequest(frame, 0);
    for (std::size_t i = 3; i < kFrameSize; ++i) {
        frame[i] = 0xFF;
    }
    frame[0] = 0x77;  // report id and old checksum bytes are outside the sum
    frame[1] = 0x12;
    frame[2] = 0x34;
    EXPECT_EQ(ComputeChecksum(frame), 61 * 0xFF);
    SealFrame(frame);
    EXPECT_EQ(ReadLe16(frame + 1), 61 * 0xFF);
    frame[63] ^= 0x01;
    EXPECT_FALSE(HasValidChecksum(frame));
}

TEST(FrameLayout, LengthAndOffsetAreLittleEndian) {
    Frame frame;
    StartRequest(frame, 6);
    SetLengthAndOffset(frame, 1, 184);
    EXPECT_EQ(FrameLength(frame), 1);
    EXPECT_EQ(frame[5], 184);
    EXPECT_EQ(frame[6], 0);
    SetLengthAndOffset(frame, 56, 0x1234);
    EXPECT_EQ(frame[5], 0x34);
    EXPECT_EQ(frame[6], 0x12);
    EXPECT_EQ(FrameDataOffset(frame), 0x1234);
}

TEST(FrameLayout, ChunkLengths) {
    struct Case {
        std::size_t position, total, expected;
    };
    const Case cases[] = {
        {0, 120, 56}, {56, 120, 56}, {112, 120, 8}, {0, 56, 56},   {0, 57, 56},
        {56, 57, 1},  {0, 1, 1},     {0, 112, 56},  {56, 112, 56},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChunkLength(c.position, c.total, 56), c.expected)
            << c.position << " of " << c.total;
    }
}

}  // namespace
