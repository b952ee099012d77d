#include "sim/CommandFirmware.h"

#include <gtest/gtest.h>

#include "protocol/FrameLayout.h"
#include "sim/MouseFirmware.h"
#include "tests/sim/TestImages.h"

namespace {

using sim::CommandFirmware;
using sim::FaultKind;
using sim::FrameProblem;
using sim::ReplyPlan;

sim::FrameBytes Request(std::uint8_t command, std::uint8_t length, std::uint16_t offset,
                        const std::uint8_t* data = nullptr) {
    sim::FrameBytes frame{};
    protocol::StartRequest(frame.data(), command);
    protocol::SetLengthAndOffset(frame.data(), length, offset);
    if (data != nullptr) {
        std::copy(data, data + length, frame.begin() + protocol::kOffsetData);
    }
    protocol::SealFrame(frame.data());
    return frame;
}

class CommandFirmwareTest : public ::testing::Test {
protected:
    ReplyPlan Send(const sim::FrameBytes& frame) {
        ReplyPlan plan;
        firmware.HandleRequest(frame.data(), frame.size(), plan);
        return plan;
    }

    CommandFirmware firmware{sim::MouseFirmwareConfig()};
};

TEST_F(CommandFirmwareTest, AnswersReadsFromItsMemoryWithSealedReplies) {
    ReplyPlan plan = Send(Request(3, 34, 0));
    ASSERT_EQ(plan.count, 1u);
    const auto& reply = plan.frames[0];
    EXPECT_EQ(reply[0], protocol::kReportId);
    EXPECT_EQ(reply[protocol::kOffsetCommand], 3);
    EXPECT_EQ(reply[protocol::kOffsetStatus], 0);
    EXPECT_TRUE(protocol::HasValidChecksum(reply.data()));
    EXPECT_EQ(reply[8 + sim::kInfoKeySlots], sim::kMouseKeySlots);
    EXPECT_EQ(reply[8 + sim::kInfoDpiStep], sim::kMouseDpiStep);
    EXPECT_EQ(protocol::ReadLe16(reply.data() + 8 + sim::kInfoMaxDpiSlider),
              sim::kMouseMaxDpiSlider);
}

TEST_F(CommandFirmwareTest, FactoryKeyTableHoldsTheTenButtonsOutOfButtonOrder) {
    const std::uint8_t buttons[10][3] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                                         {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00},
                                         {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00},
                                         {0x16, 0x90, 0x01}};
    auto table = firmware.Memory().keyTable;
    ASSERT_EQ(table.size(), sim::kMouseKeySlots * 3);
    std::vector<std::size_t> slots;
    for (const auto& code : buttons) {
        std::size_t slot = 0;
        while (slot < sim::kMouseKeySlots && !std::equal(code, code + 3, &table[slot * 3])) {
            ++slot;
        }
        ASSERT_LT(slot, sim::kMouseKeySlots);
        slots.push_back(slot);
    }
    EXPECT_FALSE(std::is_sorted(slots.begin(), slots.end()));
}

TEST_F(CommandFirmwareTest, WritesLandAtTheirOffsetAndSessionsAreCounted) {
    const std::uint8_t data[3] = {7, 8, 9};
    Send(Request(1, 0, 0));
    ReplyPlan plan = Send(Request(6, 3, 130, data));
    EXPECT_EQ(plan.frames[0][protocol::kOffsetStatus], 0);
    Send(Request(2, 0, 0));
    auto memory = firmware.Memory();
    EXPECT_EQ(memory.settings[130], 7);
    EXPECT_EQ(memory.settings[132], 9);
    EXPECT_EQ(memory.sessionsBegun, 1u);
    EXPECT_EQ(memory.sessionsEnded, 1u);
    EXPECT_FALSE(memory.sessionOpen);
    EXPECT_EQ(firmware.ReceivedFrames().size(), 3u);
    EXPECT_TRUE(firmware.Problems().empty());
}

TEST_F(CommandFirmwareTest, RefusesBrokenRequestsAndRecordsWhy) {
    auto badChecksum = Request(6, 1, 0);
    badChecksum[protocol::kOffsetChecksum] ^= 1;
    struct Case {
        const char* name;
        sim::FrameBytes frame;
        std::uint8_t status;
        FrameProblem problem;
    };
    std::vector<Case> cases = {
        {"checksum", badChecksum, 0xFE, FrameProblem::BadChecksum},
        {"settings past the end", Request(5, 56, 5 * 128 - 8), 0xFF, FrameProblem::OutOfRange},
        {"key table past the end", Request(7, 8, 44), 0xFF, FrameProblem::OutOfRange},
        {"status past six bytes", Request(26, 7, 0), 0xFF, FrameProblem::OutOfRange},
        {"length over 56", Request(5, 57, 0), 0xFF, FrameProblem::BadLength},
        {"unknown command", Request(0x42, 0, 0), 0xFF, FrameProblem::UnknownCommand},
        {"macro without magic", Request(21, 16, 0), 0xFF, FrameProblem::BadImageMagic},
    };
    auto before = firmware.Memory().settings;
    for (const auto& c : cases) {
        firmware.ClearLog();
        ReplyPlan plan = Send(c.frame);
        ASSERT_EQ(plan.count, 1u) << c.name;
        EXPECT_EQ(plan.frames[0][protocol::kOffsetStatus], c.status) << c.name;
        auto problems = firmware.Problems();
        ASSERT_EQ(problems.size(), 1u) << c.name;
        EXPECT_EQ(problems[0].problem, c.problem) << c.name;
        EXPECT_EQ(problems[0].frame, c.frame) << c.name;
    }
    EXPECT_EQ(firmware.Memory().settings, before);
}

TEST_F(CommandFirmwareTest, ForeignReportIdGetsNoReply) {
    auto frame = Request(3, 34, 0);
    frame[0] = 3;
    EXPECT_EQ(Send(frame).count, 0u);
    ASSERT_EQ(firmware.Problems().size(), 1u);
    EXPECT_EQ(firmware.Problems()[0].problem, FrameProblem::BadReportId);
}

TEST_F(CommandFirmwareTest, AcceptsMacroImagesInFramesAndChecksThem) {
    auto image = simtest::BuildImage({5, 12});
    for (std::size_t at = 0; at < image.size(); at += 56) {
        auto length = static_cast<std::uint8_t>(std::min<std::size_t>(56, image.size() - at));
        ReplyPlan plan =
            Send(Request(21, length, static_cast<std::uint16_t>(at), image.data() + at));
        ASSERT_EQ(plan.frames[0][protocol::kOffsetStatus], 0) << at;
    }
    auto memory = firmware.Memory();
    EXPECT_EQ(memory.macros.state(), sim::ImageArea::State::Complete);
    EXPECT_EQ(memory.macros.bytes(), image);
}

TEST_F(CommandFirmwareTest, ReceiverLinkAnswerFollowsTheLinkState) {
    EXPECT_EQ(Send(Request(0xAA, 0, 0)).frames[0][8], 0xFF);
    firmware.EditMemory([](sim::FirmwareMemory& m) { m.receiverLinkUp = false; });
    ReplyPlan plan = Send(Request(0xAA, 0, 0));
    EXPECT_EQ(plan.frames[0][8], 0x00);
    EXPECT_EQ(plan.frames[0][protocol::kOffsetStatus], 0);
}

TEST_F(CommandFirmwareTest, FaultsMatchCommandSkipAndTimes) {
    firmware.InjectFault(
        {.kind = FaultKind::Status, .command = 5, .skip = 1, .times = 2, .status = 0xFE});
    auto read = Request(5, 1, 0);
    EXPECT_EQ(Send(Request(3, 34, 0)).frames[0][protocol::kOffsetStatus], 0);  // other command
    EXPECT_EQ(Send(read).frames[0][protocol::kOffsetStatus], 0);               // skipped
    EXPECT_EQ(Send(read).frames[0][protocol::kOffsetStatus], 0xFE);
    EXPECT_EQ(Send(read).frames[0][protocol::kOffsetStatus], 0xFE);
    EXPECT_EQ(Send(read).frames[0][protocol::kOffsetStatus], 0);  // used up
}

TEST_F(CommandFirmwareTest, FaultPlansTellTheTransportWhatToDo) {
    firmware.SetLatencyMicros(250);
    firmware.InjectFault({.kind = FaultKind::StaleReplies, .staleCount = 2});
    ReplyPlan stale = Send(Request(3, 34, 0));
    ASSERT_EQ(stale.count, 3u);
    EXPECT_NE(stale.frames[0][protocol::kOffsetCommand], 3);
    EXPECT_NE(stale.frames[1][protocol::kOffsetCommand], 3);
    EXPECT_EQ(stale.frames[2][protocol::kOffsetCommand], 3);
    EXPECT_EQ(stale.delayMicros[0], 250u);

    firmware.InjectFault({.kind = FaultKind::Delay, .delayMillis = 40});
    ReplyPlan late = Send(Request(3, 34, 0));
    ASSERT_EQ(late.count, 1u);
    EXPECT_EQ(late.delayMicros[0], 40250u);

    firmware.InjectFault({.kind = FaultKind::NoReply});
    EXPECT_EQ(Send(Request(1, 0, 0)).count, 0u);
    EXPECT_TRUE(firmware.Memory().sessionOpen);  // carried out, answer lost

    firmware.InjectFault({.kind = FaultKind::Unplug});
    ReplyPlan gone = Send(Request(2, 0, 0));
    EXPECT_TRUE(gone.unplug);
    EXPECT_EQ(gone.count, 0u);
    EXPECT_TRUE(firmware.Memory().sessionOpen);  // never carried out
}

}  // namespace
