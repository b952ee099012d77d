#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/Trace.h"

namespace {

TEST(Trace, FrameHalfHasThreeBlanksBetweenEarlyGroupsAndTwoAfter) {
    std::uint8_t bytes[32];
    for (int i = 0; i < 32; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 9);
    }
    char line[160];
    std::size_t n = trace::FormatFrameHalf(bytes, line, sizeof line);
    EXPECT_EQ(std::string(line, n),
              "00 09 12 1b   24 2d 36 3f   48 51 5a 63   6c 75 7e 87  90 99 a2 ab  b4 bd c6 cf  "
              "d8 e1 ea f3  fc 05 0e 17");
}

TEST(Trace, FrameIsTwoLinesOfThirtyTwoBytes) {
    trace::Enable(true);
    testing::internal::CaptureStderr();
    std::uint8_t frame[5] = {0x04, 0x01, 0x00, 0x01, 0x00};  // short input is zero-padded
    trace::Frame(frame, sizeof frame);
    std::string out = testing::internal::GetCapturedStderr();
    trace::Enable(false);
    const std::string zeros =
        "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
        "00 00 00 00  00 00 00 00";
    std::string first = zeros;
    first.replace(0, 14, "04 01 00 01   ");
    EXPECT_EQ(out, first + "\n" + zeros + "\n");
}

TEST(Trace, SilentUnlessEnabled) {
    trace::Enable(false);
    testing::internal::CaptureStderr();
    trace::Line("hidden");
    trace::Linef("%d", 5);
    std::uint8_t frame[64] = {};
    trace::Frame(frame, sizeof frame);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
