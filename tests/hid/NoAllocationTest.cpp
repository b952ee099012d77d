// Read and Write allocate nothing once a device is open: this binary replaces the global
// operator new and counts the calls made around them.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include "hid/HidDevice.h"
#include "hid/HidrawNode.h"
#include "hid/SimulatedHid.h"
#include "sim/MouseDescriptors.h"
#include "sim/SimulatedMouse.h"
#include "tests/support/CountingAllocator.h"
#include "tests/support/EchoDevice.h"

namespace {

using testsupport::AllocationCount;
using testsupport::EchoDevice;

TEST(NoAllocation, SimulatedReadAndWrite) {
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    auto device = std::make_shared<EchoDevice>(*bus);
    bus->Plug(device);
    hid::CHidDevice dev(bus);
    ASSERT_TRUE(dev.Open("sim/hid0&vid_320f&pid_2210&mi_01&col04", true, true, true, false));
    std::uint8_t frame[64] = {0x04};
    std::uint8_t reply[64];
    std::uint32_t n = 0;
    // Warm up once: threads and lazily created state of the standard library.
    ASSERT_EQ(dev.Write(frame, 64, &n, 1000), 1);
    ASSERT_EQ(dev.Read(reply, 64, &n, 1000), 1);

    long before = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        frame[1] = static_cast<std::uint8_t>(i);
        ASSERT_EQ(dev.Write(frame, 64, &n, 1000), 1);
        ASSERT_EQ(dev.Read(reply, 64, &n, 1000), 1);
        ASSERT_EQ(reply[1], i);
    }
    EXPECT_EQ(dev.Read(reply, 64, &n, 5), 0);  // the time-out path too
    EXPECT_EQ(AllocationCount() - before, 0);
}

TEST(NoAllocation, HidrawReadAndWrite) {
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
    auto node = hid::CHidrawNode::Create(fds[0], {0x320F, 0x2210, 1}, sim::MouseMultiDescriptor());
    auto handle = node->OpenCollection(3);
    std::uint8_t frame[64] = {0x04};
    std::uint8_t reply[64];
    std::uint8_t wire[64];
    std::uint32_t n = 0;
    ASSERT_EQ(handle->Write(frame, 64, n, 1000), 1);
    ASSERT_EQ(::recv(fds[1], wire, sizeof wire, 0), 64);

    long before = AllocationCount();
    for (int i = 0; i < 100; ++i) {
        frame[1] = static_cast<std::uint8_t>(i);
        ASSERT_EQ(handle->Write(frame, 64, n, 1000), 1);
        ASSERT_EQ(::recv(fds[1], wire, sizeof wire, 0), 64);
        ASSERT_EQ(::send(fds[1], wire, sizeof wire, 0), 64);
        ASSERT_EQ(handle->Read(reply, 64, n, 1000), 1);
        ASSERT_EQ(reply[1], i);
    }
    EXPECT_EQ(AllocationCount() - before, 0);
    handle.reset();
    node.reset();
    ::close(fds[1]);
}

}  // namespace
