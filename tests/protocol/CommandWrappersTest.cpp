#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <numeric>

#include "protocol/FrameLayout.h"
#include "protocol/ResultCodes.h"
#include "tests/protocol/ProtocolFixture.h"
#include "tests/sim/TestImages.h"

namespace {

using prototest::ProtocolTest;
using sim::FaultKind;

struct FrameShape {
    std::uint8_t length;
    std::uint16_t offset;
};

void ExpectShapes(const std::vector<sim::FrameBytes>& frames,
                  const std::vector<FrameShape>& shapes) {
    ASSERT_EQ(frames.size(), shapes.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(protocol::FrameLength(frames[i].data()), shapes[i].length) << "frame " << i;
        EXPECT_EQ(protocol::FrameDataOffset(frames[i].data()), shapes[i].offset) << "frame " << i;
        EXPECT_EQ(frames[i][protocol::kOffsetStatus], 0);
        EXPECT_TRUE(protocol::HasValidChecksum(frames[i].data()));
    }
}

std::vector<std::uint8_t> Counting(std::size_t count, std::uint8_t first = 1) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

TEST_F(ProtocolTest, ControlCommandsSendOneEmptyFrame) {
    struct Case {
        std::uint8_t command;
        std::function<void()> call;
    };
    const Case cases[] = {
        {1, [&] { EXPECT_EQ(protocol->CmdBeginSession(), protocol::kOk); }},
        {2, [&] { EXPECT_EQ(protocol->CmdEndSession(), protocol::kOk); }},
        {28, [&] { EXPECT_EQ(protocol->CmdEnterLiveLight(), protocol::kOk); }},
        {0xAA, [&] { EXPECT_TRUE(protocol->CmdCheckReceiverLink()); }},
    };
    for (const auto& c : cases) {
        Firmware().ClearLog();
        c.call();
        sim::FrameBytes expected{};
        expected[0] = 4;
        expected[1] = c.command;  // checksum of a frame holding only its command
        expected[3] = c.command;
        auto frames = Firmware().ReceivedFrames();
        ASSERT_EQ(frames.size(), 1u) << int{c.command};
        EXPECT_EQ(frames[0], expected) << int{c.command};
    }
    auto memory = Firmware().Memory();
    EXPECT_EQ(memory.sessionsBegun, 1u);
    EXPECT_EQ(memory.sessionsEnded, 1u);
    EXPECT_TRUE(memory.liveLight);
}

TEST_F(ProtocolTest, ReceiverLinkIsUpOnlyWhenReplyByteEightIsFF) {
    EXPECT_TRUE(protocol->CmdCheckReceiverLink());
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.receiverLinkUp = false; });
    EXPECT_FALSE(protocol->CmdCheckReceiverLink());  // status 0, byte 8 = 0
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.receiverLinkUp = true; });
    Firmware().InjectFault({.kind = FaultKind::Status, .status = 0xFE});
    EXPECT_FALSE(protocol->CmdCheckReceiverLink());
}

TEST_F(ProtocolTest, DeviceInfoIsWrittenOnlyOnSuccess) {
    std::uint8_t info[34];
    std::memset(info, 0xCC, sizeof info);
    Firmware().InjectFault({.kind = FaultKind::Status, .status = 0xFF});
    EXPECT_EQ(protocol->CmdReadDeviceInfo(info), protocol::kDeviceFailed);
    EXPECT_EQ(info[0], 0xCC);
    ASSERT_EQ(protocol->CmdReadDeviceInfo(info), protocol::kOk);
    auto memory = Firmware().Memory();
    EXPECT_TRUE(std::equal(info, info + 34, memory.deviceInfo.begin()));
    ExpectShapes(Sent(3), {{34, 0}, {34, 0}});
}

TEST_F(ProtocolTest, KeyTableSizeRefusesMoreThan512) {
    EXPECT_EQ(protocol->keyTableSize.load(), 512);
    EXPECT_TRUE(protocol->SetKeyTableSize(48));
    EXPECT_FALSE(protocol->SetKeyTableSize(513));
    EXPECT_EQ(protocol->keyTableSize.load(), 48);
    EXPECT_TRUE(protocol->SetKeyTableSize(120));
    EXPECT_EQ(protocol->keyTableSize.load(), 120);
    EXPECT_TRUE(protocol->SetKeyTableSize(512));
}

TEST_F(ProtocolTest, ReadKeyTableOfFortyKeysTakesThreeFrames) {
    auto config = sim::MouseFirmwareConfig();
    sim::SetKeySlotCount(config, 40);
    config.keyTable = Counting(120);
    Start(config);
    ASSERT_TRUE(protocol->SetKeyTableSize(120));
    std::uint8_t table[512] = {};
    ASSERT_EQ(protocol->CmdReadKeyTable(table), protocol::kOk);
    ExpectShapes(Sent(7), {{56, 0}, {56, 56}, {8, 112}});
    EXPECT_TRUE(std::equal(table, table + 120, config.keyTable.begin()));
    EXPECT_EQ(table[120], 0);
}

TEST_F(ProtocolTest, WriteKeyTableRefusesOtherBanksAndWritesBankZero) {
    ASSERT_TRUE(protocol->SetKeyTableSize(48));
    auto table = Counting(48, 0x40);
    EXPECT_EQ(protocol->CmdWriteKeyTable(table.data(), 1), protocol::kBadBank);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
    ASSERT_EQ(protocol->CmdWriteKeyTable(table.data(), 0), protocol::kOk);
    ExpectShapes(Sent(9), {{48, 0}});
    EXPECT_EQ(Firmware().Memory().keyTable, table);
}

TEST_F(ProtocolTest, ReadKeyBytesReadsOneBytePerKey) {
    Firmware().EditMemory([](sim::FirmwareMemory& m) { m.keyBytes = Counting(16, 9); });
    ASSERT_TRUE(protocol->SetKeyTableSize(49));  // 16 keys, integer division
    std::uint8_t keys[20] = {};
    ASSERT_EQ(protocol->CmdReadKeyBytes(keys), protocol::kOk);
    ExpectShapes(Sent(27), {{16, 0}});
    EXPECT_EQ(keys[0], 9);
    EXPECT_EQ(keys[15], 24);
    EXPECT_EQ(keys[16], 0);
}

TEST_F(ProtocolTest, WriteSettingsOf57BytesAt128) {
    auto block = Counting(57);
    ASSERT_EQ(protocol->CmdWriteSettings(block.data(), block.size(), 128), protocol::kOk);
    auto frames = Sent(6);
    ExpectShapes(frames, {{56, 128}, {1, 184}});
    // Bytes past the second frame's length still hold what the first frame carried.
    EXPECT_EQ(frames[1][8], block[56]);
    EXPECT_TRUE(std::equal(frames[1].begin() + 9, frames[1].end(), block.begin() + 1));
    auto memory = Firmware().Memory();
    EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.settings.begin() + 128));
    EXPECT_EQ(memory.settings[128 + 57], 0);
}

TEST_F(ProtocolTest, ReadSettingsFillsChunkByChunkUpToTheFailure) {
    std::uint8_t block[120];
    ASSERT_EQ(protocol->CmdReadSettings(block, 53, 256), protocol::kOk);
    ExpectShapes(Sent(5), {{53, 256}});
    auto memory = Firmware().Memory();
    EXPECT_TRUE(std::equal(block, block + 53, memory.settings.begin() + 256));

    Firmware().ClearLog();
    std::memset(block, 0xCC, sizeof block);
    Firmware().InjectFault({.kind = FaultKind::Status, .command = 5, .skip = 1, .status = 0xFF});
    EXPECT_EQ(protocol->CmdReadSettings(block, 120, 0), protocol::kDeviceFailed);
    ExpectShapes(Sent(5), {{56, 0}, {56, 56}});
    EXPECT_TRUE(std::equal(block, block + 56, memory.settings.begin()));
    EXPECT_EQ(block[56], 0xCC);
}

TEST_F(ProtocolTest, AFailingFrameEndsAWrite) {
    auto block = Counting(120);
    Firmware().InjectFault({.kind = FaultKind::Status, .command = 6, .skip = 1, .status = 0xFE});
    EXPECT_EQ(protocol->CmdWriteSettings(block.data(), block.size(), 0), protocol::kDeviceRejected);
    EXPECT_EQ(Sent(6).size(), 2u);
}

TEST_F(ProtocolTest, WriteShootDataOf100BytesKeepsOldBytesInTheSecondFrame) {
    auto image = simtest::BuildImage({5, 4, 3, 3});  // 100 bytes
    ASSERT_EQ(image.size(), 100u);
    protocol->chunkSize = 20;  // command 23 frames by 56 whatever the chunk size
    ASSERT_EQ(protocol->CmdWriteShootData(image.data(), image.size()), protocol::kOk);
    auto frames = Sent(23);
    ExpectShapes(frames, {{56, 0}, {44, 56}});
    EXPECT_TRUE(std::equal(frames[1].begin() + 8, frames[1].begin() + 52, image.begin() + 56));
    EXPECT_TRUE(std::equal(frames[1].begin() + 52, frames[1].end(), image.begin() + 44));
    auto memory = Firmware().Memory();
    EXPECT_EQ(memory.shoot.state(), sim::ImageArea::State::Complete);
    EXPECT_EQ(memory.shoot.bytes(), image);
}

TEST_F(ProtocolTest, WriteMacrosAndKeyColoursAreChunked) {
    auto image = simtest::BuildImage({10, 20});
    ASSERT_EQ(protocol->CmdWriteMacros(image.data(), image.size()), protocol::kOk);
    ExpectShapes(Sent(21), {{56, 0}, {56, 56}, {36, 112}});
    EXPECT_EQ(Firmware().Memory().macros.bytes(), image);

    auto colours = Counting(48);
    ASSERT_EQ(protocol->CmdWriteKeyColours(colours.data(), colours.size()), protocol::kOk);
    ExpectShapes(Sent(11), {{48, 0}});
    EXPECT_EQ(Firmware().Memory().keyColours, colours);

    // A bad image is refused by the device at its first frame.
    image[0] = 0;
    EXPECT_EQ(protocol->CmdWriteMacros(image.data(), image.size()), protocol::kDeviceFailed);
}

TEST_F(ProtocolTest, ReadStatusIsOneFrameOfAtMost56Bytes) {
    std::uint8_t status[64];
    std::memset(status, 0xCC, sizeof status);
    ASSERT_EQ(protocol->CmdReadStatus(status, 6, 0), protocol::kOk);
    ExpectShapes(Sent(26), {{6, 0}});
    EXPECT_EQ(status[0], 100);
    EXPECT_EQ(status[6], 0xCC);
    Firmware().ClearLog();
    EXPECT_EQ(protocol->CmdReadStatus(status, 57, 0), protocol::kNoReply);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
}

TEST_F(ProtocolTest, OutOfRangeAndWrongSizesAreRefusedBeforeSending) {
    std::uint8_t buffer[64] = {};
    EXPECT_EQ(protocol->CmdReadSettings(buffer, 10, 0xFFFA), protocol::kNoReply);
    EXPECT_EQ(protocol->CmdWriteSettings(nullptr, 10, 0), protocol::kNoReply);
    EXPECT_EQ(protocol->CmdReadDeviceInfo(nullptr), protocol::kNoReply);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
    // Nothing to move is a success without traffic.
    EXPECT_EQ(protocol->CmdWriteMacros(buffer, 0), protocol::kOk);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
}

TEST_F(ProtocolTest, ChunkSizeIsKeptWithinAFrame) {
    auto block = Counting(57);
    protocol->chunkSize = 200;
    ASSERT_EQ(protocol->CmdWriteSettings(block.data(), block.size(), 0), protocol::kOk);
    ExpectShapes(Sent(6), {{56, 0}, {1, 56}});
    Firmware().ClearLog();
    protocol->chunkSize = 0;
    ASSERT_EQ(protocol->CmdWriteSettings(block.data(), 3, 0), protocol::kOk);
    ExpectShapes(Sent(6), {{1, 0}, {1, 1}, {1, 2}});
}

}  // namespace
