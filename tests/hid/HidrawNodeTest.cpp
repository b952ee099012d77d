// The hidraw node's read, write and cancel code on a real file descriptor: one end of a
// SOCK_SEQPACKET socket pair keeps report boundaries like hidraw, and the far end plays the
// device (one input stream for all collections, writes that block when nobody reads).
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "hid/HidrawNode.h"
#include "sim/MouseDescriptors.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class HidrawNode : public ::testing::Test {
protected:
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        // A small send buffer so that writes block once the device stops reading.
        int size = 4096;
        ::setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
        ::setsockopt(fds[1], SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
        deviceFd = fds[1];
        node =
            hid::CHidrawNode::Create(fds[0], {0x320F, 0x2210, 0x0102}, sim::MouseMultiDescriptor());
        ASSERT_TRUE(node);
    }
    void TearDown() override {
        if (deviceFd >= 0) {
            ::close(deviceFd);
        }
    }

    void DeviceSends(std::vector<std::uint8_t> report) {
        ASSERT_EQ(::send(deviceFd, report.data(), report.size(), 0),
                  static_cast<ssize_t>(report.size()));
    }
    // The next report the host wrote, or empty after the time-out.
    std::vector<std::uint8_t> DeviceReceives(int timeoutMs) {
        pollfd p{deviceFd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) {
            return {};
        }
        std::vector<std::uint8_t> buffer(4096);
        ssize_t n = ::recv(deviceFd, buffer.data(), buffer.size(), 0);
        buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return buffer;
    }

    int deviceFd = -1;
    std::shared_ptr<hid::CHidrawNode> node;
};

TEST_F(HidrawNode, InputIsFiledByReportIdIntoEachOpenCollection) {
    auto keyboard = node->OpenCollection(0);
    auto consumer = node->OpenCollection(2);
    auto command = node->OpenCollection(3);
    auto command2 = node->OpenCollection(3);  // a second handle gets its own copy
    ASSERT_TRUE(keyboard && consumer && command && command2);
    EXPECT_FALSE(node->OpenCollection(4));

    std::vector<std::uint8_t> reply(64, 0);
    reply[0] = 0x04;
    reply[63] = 0x5A;
    DeviceSends({0x03, 0x01, 0x04});
    DeviceSends(reply);
    DeviceSends({0x09, 0x01});  // an id the descriptor does not know is dropped

    std::uint8_t buffer[64];
    std::uint32_t n = 0;
    ASSERT_EQ(consumer->Read(buffer, 64, n, 2000), 1);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(buffer[2], 0x04);
    ASSERT_EQ(command->Read(buffer, 64, n, 2000), 1);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(buffer[63], 0x5A);
    ASSERT_EQ(command2->Read(buffer, 64, n, 2000), 1);
    EXPECT_EQ(keyboard->Read(buffer, 64, n, 50), 0);
    EXPECT_EQ(consumer->Read(buffer, 64, n, 50), 0);
}

TEST_F(HidrawNode, WritesCarryWholeReports) {
    auto command = node->OpenCollection(3);
    std::uint8_t frame[64] = {0x04, 0x01, 0x02};
    std::uint32_t n = 0;
    ASSERT_EQ(command->Write(frame, 64, n, 1000), 1);
    EXPECT_EQ(n, 64u);
    std::vector<std::uint8_t> got = DeviceReceives(1000);
    ASSERT_EQ(got.size(), 64u);
    EXPECT_EQ(got[2], 0x02);
}

TEST_F(HidrawNode, WriteToABlockedDeviceReturnsZeroAfterItsTimeOutAndSendsOnlyTheCopy) {
    auto command = node->OpenCollection(3);
    std::uint8_t frame[64] = {0x04};
    std::uint32_t n = 0;
    // Fill the socket until a write no longer completes: the device is not reading.
    int accepted = 0;
    for (; accepted < 1000; ++accepted) {
        frame[1] = static_cast<std::uint8_t>(accepted);
        if (command->Write(frame, 64, n, 100) == 0) {
            break;
        }
    }
    ASSERT_LT(accepted, 1000);
    EXPECT_EQ(n, 0u);

    frame[1] = 0xEE;  // after giving up, the caller's buffer is its own again
    auto start = Clock::now();
    EXPECT_EQ(command->Write(frame, 64, n, 1000), 0);  // the stuck write still occupies the node
    auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, milliseconds(990));
    EXPECT_LT(elapsed, milliseconds(3000));

    // The device reads again: every report arrives once, the one given up with its old bytes.
    std::vector<int> seen;
    for (;;) {
        std::vector<std::uint8_t> got = DeviceReceives(500);
        if (got.empty()) {
            break;
        }
        seen.push_back(got[1]);
    }
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(accepted) + 1);
    EXPECT_EQ(seen.back(), accepted & 0xFF);
    EXPECT_EQ(command->Write(frame, 64, n, 1000), 1);
}

TEST_F(HidrawNode, CancelReleasesAnInfiniteReadAndABlockedWriteAtOnce) {
    auto command = node->OpenCollection(3);
    auto other = node->OpenCollection(2);
    std::uint8_t frame[64] = {0x04};
    std::uint32_t n = 0;
    while (command->Write(frame, 64, n, 100) == 1) {
    }
    std::atomic<int> readResult{-1};
    std::atomic<int> writeResult{-1};
    std::thread reader([&] {
        std::uint8_t buffer[64];
        std::uint32_t got = 0;
        readResult = command->Read(buffer, 64, got, hid::kInfinite);
    });
    std::thread writer([&] {
        std::uint32_t got = 0;
        writeResult = command->Write(frame, 64, got, hid::kInfinite);
    });
    std::this_thread::sleep_for(milliseconds(100));
    auto start = Clock::now();
    command->Cancel();
    reader.join();
    writer.join();
    EXPECT_LT(Clock::now() - start, milliseconds(500));
    EXPECT_EQ(readResult, 0);
    EXPECT_EQ(writeResult, 0);
    // The state is level: later calls fail at once. Other handles are untouched.
    std::uint8_t buffer[64];
    EXPECT_EQ(command->Read(buffer, 64, n, hid::kInfinite), 0);
    DeviceSends({0x03, 0x02, 0x00});
    EXPECT_EQ(other->Read(buffer, 64, n, 2000), 1);

    // Releasing the last handles while the writer is stuck in the kernel does not wait for it.
    start = Clock::now();
    command.reset();
    other.reset();
    node.reset();
    EXPECT_LT(Clock::now() - start, milliseconds(500));
}

TEST_F(HidrawNode, HangUpMeansRemovalForEveryWaiter) {
    auto command = node->OpenCollection(3);
    std::atomic<int> readResult{-1};
    std::thread reader([&] {
        std::uint8_t buffer[64];
        std::uint32_t got = 0;
        readResult = command->Read(buffer, 64, got, hid::kInfinite);
    });
    std::this_thread::sleep_for(milliseconds(50));
    ::close(deviceFd);
    deviceFd = -1;
    reader.join();
    EXPECT_EQ(readResult, 0);
    EXPECT_TRUE(node->IsGone());
    std::uint8_t frame[64] = {0x04};
    std::uint32_t n = 0;
    EXPECT_EQ(command->Write(frame, 64, n, 1000), 0);
    EXPECT_FALSE(node->OpenCollection(3));
}

TEST(HidrawNodeCreate, RefusesABadDescriptorAndClosesTheFd) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
    EXPECT_FALSE(hid::CHidrawNode::Create(fds[0], {}, {0xA1, 0x01}));
    // The node closed its end: the peer sees end of file.
    char byte = 0;
    EXPECT_EQ(::recv(fds[1], &byte, 1, MSG_DONTWAIT), 0);
    ::close(fds[1]);
    EXPECT_FALSE(hid::CHidrawNode::Create(-1, {}, sim::MouseMultiDescriptor()));
}

}  // namespace
