#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "base/Trace.h"
#include "protocol/FrameLayout.h"
#include "protocol/ResultCodes.h"
#include "tests/protocol/ProtocolFixture.h"

namespace {

using prototest::ProtocolTest;
using sim::Fault;
using sim::FaultKind;
using Clock = std::chrono::steady_clock;

long long MillisSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST_F(ProtocolTest, ShortRequestIsPaddedLongRequestCut) {
    // Begin session with a valid checksum in the first four bytes; the rest must go out as 0.
    std::uint8_t request[100];
    std::memset(request, 0xEE, sizeof request);
    const std::uint8_t head[4] = {4, 0x01, 0x00, 0x01};
    std::memcpy(request, head, sizeof head);
    std::uint8_t reply[64] = {};
    std::uint32_t bytesRead = 99;
    ASSERT_EQ(protocol->Transact(request, 4, reply, 64, &bytesRead), protocol::kOk);
    EXPECT_EQ(bytesRead, 64u);
    EXPECT_EQ(reply[protocol::kOffsetCommand], 1);

    sim::FrameBytes padded{};
    std::memcpy(padded.data(), head, sizeof head);
    auto sent = Sent(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], padded);

    // Longer than a frame: 64 bytes go out (the device then finds the checksum wrong).
    Firmware().ClearLog();
    protocol->Transact(request, sizeof request, reply, 64, nullptr);
    auto frames = Firmware().ReceivedFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][63], 0xEE);
}

TEST_F(ProtocolTest, OneStaleReplyIsSkippedByTheSecondRead) {
    Firmware().InjectFault({.kind = FaultKind::StaleReplies, .command = 3, .staleCount = 1});
    std::uint8_t info[34] = {};
    ASSERT_EQ(protocol->CmdReadDeviceInfo(info), protocol::kOk);
    EXPECT_EQ(info[sim::kInfoKeySlots], sim::kMouseKeySlots);
}

TEST_F(ProtocolTest, TwoStaleRepliesGiveTheSecondStaleOneAndTheNextCommandRecovers) {
    Firmware().InjectFault(
        {.kind = FaultKind::StaleReplies, .command = 3, .staleCount = 2, .staleCommand = 0x55});
    protocol::Frame request;
    protocol::StartRequest(request, 3);
    protocol::SetLengthAndOffset(request, 34, 0);
    protocol::SealFrame(request);
    std::uint8_t reply[64] = {};
    ASSERT_EQ(protocol->Transact(request, 64, reply, 64, nullptr), protocol::kOk);
    EXPECT_EQ(reply[protocol::kOffsetCommand], 0x55);

    // The late reply to command 3 is read first and does not match: the retry takes the right one.
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kOk);
    std::uint8_t status[6] = {};
    EXPECT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);
    EXPECT_EQ(status[0], 100);
}

TEST_F(ProtocolTest, ReplyStatusMapsToResults) {
    struct Case {
        std::uint8_t status;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0xFF, protocol::kDeviceFailed},
        {0xFE, protocol::kDeviceRejected},
        {0x01, protocol::kOk},
        {0x80, protocol::kOk},
    };
    for (const auto& c : cases) {
        Firmware().InjectFault({.kind = FaultKind::Status, .status = c.status});
        EXPECT_EQ(protocol->CmdBeginSession(), c.expected) << int{c.status};
    }
}

TEST_F(ProtocolTest, GarbageRepliesGiveAClearResult) {
    // Right report id and command, nonsense elsewhere: judged by its status byte only.
    sim::FrameBytes garbage;
    garbage.fill(0x37);
    garbage[0] = 4;
    garbage[protocol::kOffsetCommand] = 26;
    Firmware().InjectFault({.kind = FaultKind::Garbage, .command = 26, .garbage = garbage});
    std::uint8_t status[6] = {};
    EXPECT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);
    EXPECT_EQ(status[5], 0x37);

    garbage[protocol::kOffsetStatus] = 0xFF;
    Firmware().InjectFault({.kind = FaultKind::Garbage, .command = 26, .garbage = garbage});
    std::memset(status, 0, sizeof status);
    EXPECT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kDeviceFailed);
    EXPECT_EQ(status[5], 0);

    // An answer to no command at all: the retry read finds nothing more.
    garbage[protocol::kOffsetCommand] = 0x99;
    Firmware().InjectFault({.kind = FaultKind::Garbage, .command = 26, .garbage = garbage});
    EXPECT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kNoReply);
    EXPECT_EQ(status[5], 0);
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kOk);
}

TEST_F(ProtocolTest, NothingIsSentWhileNotOpen) {
    protocol->opened = false;
    std::uint8_t info[34] = {};
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kNoReply);
    EXPECT_EQ(protocol->CmdReadDeviceInfo(info), protocol::kNoReply);
    EXPECT_FALSE(protocol->CmdCheckReceiverLink());
    EXPECT_EQ(protocol->busy.load(), 0);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
}

TEST_F(ProtocolTest, LostReplyGivesZeroAfterTheWiredTimeout) {
    Firmware().InjectFault({.kind = FaultKind::NoReply});
    auto start = Clock::now();
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kNoReply);
    EXPECT_GE(MillisSince(start), 900);
    EXPECT_EQ(protocol->busy.load(), 0);
}

TEST_F(ProtocolTest, ReceiverModeWaitsLongerForTheReply) {
    Firmware().InjectFault({.kind = FaultKind::Delay, .delayMillis = 1300});
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kNoReply);  // wired: 1000 ms
    protocol->receiverMode = true;
    Firmware().InjectFault({.kind = FaultKind::Delay, .delayMillis = 1300});
    // The late reply of the first request comes first and is skipped by the retry read.
    EXPECT_EQ(protocol->CmdEnterLiveLight(), protocol::kOk);
    EXPECT_TRUE(Firmware().Memory().liveLight);
}

TEST_F(ProtocolTest, UnpluggedDeviceFailsTheWriteAtOnce) {
    rig->Unplug();
    auto start = Clock::now();
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kWriteFailed);
    EXPECT_LT(MillisSince(start), 500);
}

TEST_F(ProtocolTest, UnplugInTheMiddleOfAChunkedReadEndsItPromptly) {
    protocol->receiverMode = true;  // 5000 ms time-outs: a hang would show
    Firmware().InjectFault({.kind = FaultKind::Unplug, .command = 5, .skip = 1});
    std::uint8_t settings[120];
    std::memset(settings, 0xCC, sizeof settings);
    auto start = Clock::now();
    std::int32_t result = protocol->CmdReadSettings(settings, sizeof settings, 0);
    EXPECT_TRUE(result == protocol::kNoReply || result == protocol::kWriteFailed) << result;
    EXPECT_LT(MillisSince(start), 1500);
    // The first chunk arrived before the device went away; the rest is untouched.
    auto memory = Firmware().Memory();
    EXPECT_TRUE(std::equal(settings, settings + 56, memory.settings.begin()));
    EXPECT_EQ(settings[56], 0xCC);
    // Later commands fail fast too.
    start = Clock::now();
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kWriteFailed);
    EXPECT_LT(MillisSince(start), 500);
}

class TraceCapture {
public:
    TraceCapture() {
        trace::Enable(true);
        testing::internal::CaptureStderr();
    }
    ~TraceCapture() { trace::Enable(false); }
    std::string Take() {
        std::string text = testing::internal::GetCapturedStderr();
        trace::Enable(false);
        return text;
    }
};

TEST_F(ProtocolTest, RequestAndReplyGoToTheTrace) {
    TraceCapture capture;
    ASSERT_EQ(protocol->CmdBeginSession(), protocol::kOk);
    std::string text = capture.Take();
    const std::string zeros =
        "00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  "
        "00 00 00 00  00 00 00 00  00 00 00 00\n";
    const std::string request = "04 01 00 01   " + zeros;
    const std::string zeroLine = "00 00 00 00   " + zeros;
    // The emulated device echoes the command with status 0: its reply equals the request.
    EXPECT_EQ(text, request + zeroLine + request + zeroLine);
}

TEST_F(ProtocolTest, FailedWriteTracesOnlyTheRequest) {
    rig->Unplug();
    TraceCapture capture;
    EXPECT_EQ(protocol->CmdBeginSession(), protocol::kWriteFailed);
    std::string text = capture.Take();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    EXPECT_EQ(text.rfind("04 01 00 01", 0), 0u);
}

}  // namespace
