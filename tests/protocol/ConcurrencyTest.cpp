#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "protocol/ResultCodes.h"
#include "tests/protocol/ProtocolFixture.h"
#include "tests/sim/TestImages.h"

namespace {

using prototest::ProtocolTest;
using sim::FaultKind;
using Clock = std::chrono::steady_clock;

// Waits (bounded) until the condition holds; the test thread only.
template <typename Condition>
bool WaitFor(Condition condition) {
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST_F(ProtocolTest, LiveColoursAreSentWhenNothingElseRuns) {
    std::uint8_t colours[48];
    std::memset(colours, 0x5A, sizeof colours);
    ASSERT_EQ(protocol->CmdWriteLiveColours(colours, sizeof colours), protocol::kOk);
    EXPECT_EQ(Sent(18).size(), 1u);
    EXPECT_EQ(Firmware().Memory().liveColours[47], 0x5A);
}

TEST_F(ProtocolTest, LiveAndKeyColoursStepAsideDuringAFullTransaction) {
    Firmware().InjectFault({.kind = FaultKind::Delay, .command = 3, .delayMillis = 300});
    std::int32_t infoResult = 0;
    std::thread reader([&] {
        std::uint8_t info[34];
        infoResult = protocol->CmdReadDeviceInfo(info);
    });
    ASSERT_TRUE(WaitFor([&] { return Firmware().ReceivedCount() == 1; }));
    ASSERT_EQ(protocol->busy.load(), 1);

    std::uint8_t colours[120] = {};
    EXPECT_EQ(protocol->CmdWriteLiveColours(colours, sizeof colours), protocol::kOk);
    EXPECT_EQ(protocol->CmdWriteKeyColours(colours, 48), protocol::kOk);
    reader.join();
    EXPECT_EQ(infoResult, protocol::kOk);
    EXPECT_TRUE(Sent(18).empty());
    EXPECT_TRUE(Sent(11).empty());
}

TEST_F(ProtocolTest, LiveAndKeyColoursStepAsideInReceiverMode) {
    protocol->receiverMode = true;
    std::uint8_t colours[120] = {};
    EXPECT_EQ(protocol->CmdWriteLiveColours(colours, sizeof colours), protocol::kOk);
    EXPECT_EQ(protocol->CmdWriteKeyColours(colours, 48), protocol::kOk);
    EXPECT_EQ(Firmware().ReceivedCount(), 0u);
}

// Many threads issue chunked commands at once; each must get its own replies.
TEST_F(ProtocolTest, ConcurrentChunkedCommandsNeverMixReplies) {
    Firmware().SetLatencyMicros(150);
    ASSERT_TRUE(protocol->SetKeyTableSize(48));
    auto memory = Firmware().Memory();
    const auto shootImage = simtest::BuildImage({20, 10, 5, 1});  // 200 bytes: 4 frames
    std::atomic<int> failures{0};
    auto run = [&](auto&& body) {
        return std::thread([&failures, body] {
            for (int i = 0; i < 40; ++i) {
                if (!body()) {
                    ++failures;
                }
            }
        });
    };
    std::vector<std::thread> threads;
    threads.push_back(run([&] {
        std::uint8_t table[512] = {};
        return protocol->CmdReadKeyTable(table) == protocol::kOk &&
               std::equal(memory.keyTable.begin(), memory.keyTable.end(), table);
    }));
    threads.push_back(run([&] {
        std::uint8_t block[120] = {};
        return protocol->CmdReadSettings(block, 120, 128) == protocol::kOk &&
               std::equal(block, block + 120, memory.settings.begin() + 128);
    }));
    threads.push_back(run([&] {
        return protocol->CmdWriteShootData(shootImage.data(), shootImage.size()) == protocol::kOk;
    }));
    threads.push_back(run([&] {
        std::uint8_t status[6] = {};
        return protocol->CmdReadStatus(status, 6, 0) == protocol::kOk && status[0] == 100;
    }));
    threads.push_back(run([&] {
        std::uint8_t colours[48] = {};
        return protocol->CmdWriteLiveColours(colours, sizeof colours) == protocol::kOk;
    }));
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(failures.load(), 0);
    EXPECT_TRUE(Firmware().Problems().empty());
    EXPECT_EQ(Firmware().Memory().shoot.bytes(), shootImage);
}

TEST_F(ProtocolTest, UnplugWhileAnotherThreadWaitsForItsReply) {
    protocol->receiverMode = true;
    Firmware().InjectFault({.kind = FaultKind::Delay, .command = 5, .delayMillis = 4000});
    std::int32_t result = 1;
    Clock::time_point finished;
    std::thread reader([&] {
        std::uint8_t block[53];
        result = protocol->CmdReadSettings(block, sizeof block, 0);
        finished = Clock::now();
    });
    ASSERT_TRUE(WaitFor([&] { return Firmware().ReceivedCount() == 1; }));
    auto unplugged = Clock::now();
    rig->Unplug();
    reader.join();
    EXPECT_TRUE(result == protocol::kNoReply || result == protocol::kWriteFailed) << result;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(finished - unplugged).count(),
              500);
}

}  // namespace

namespace {

// The command collection shares its node with keyboard and consumer traffic and the pointer
// streams beside it: none of that may reach the command replies.
TEST_F(ProtocolTest, CommandsRunUndisturbedByTheMousesOtherTraffic) {
    hid::CHidDevice pointer(rig->bus);
    hid::CHidDevice events(rig->bus);
    ASSERT_TRUE(pointer.Open(rig->PointerPath(), true, false, true, false));
    ASSERT_TRUE(events.Open(rig->EventPath(), true, false, true, false));
    rig->mouse->StartMoving(5, 5);
    std::atomic<bool> stop{false};
    std::thread noise([&] {
        const std::uint8_t keyDown[9] = {1, 0, 0, 4, 0, 0, 0, 0, 0};
        const std::uint8_t power[2] = {2, 1};
        while (!stop.load()) {
            rig->mouse->SendInputReport(1, keyDown);
            rig->mouse->SendInputReport(1, power);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });
    ASSERT_TRUE(protocol->SetKeyTableSize(48));
    auto memory = Firmware().Memory();
    int failures = 0;
    for (int i = 0; i < 100; ++i) {
        std::uint8_t table[512] = {};
        if (protocol->CmdReadKeyTable(table) != protocol::kOk ||
            !std::equal(memory.keyTable.begin(), memory.keyTable.end(), table)) {
            ++failures;
        }
    }
    ASSERT_TRUE(rig->mouse->SendSettingsChangedEvent());
    stop = true;
    noise.join();
    rig->mouse->StopMoving();
    EXPECT_EQ(failures, 0);

    // The event collection saw only consumer reports, the settings change among them.
    std::uint8_t report[64];
    std::uint32_t got = 0;
    bool sawChange = false;
    while (events.Read(report, sizeof report, &got, 100) == 1) {
        EXPECT_EQ(report[0], 3);
        sawChange = sawChange || (report[1] == 0x01 && report[2] == 0x04);
    }
    EXPECT_TRUE(sawChange);
    ASSERT_EQ(pointer.Read(report, sizeof report, &got, 1000), 1);
    EXPECT_EQ(report[2], 5);
}

}  // namespace
