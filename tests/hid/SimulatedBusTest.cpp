#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hid/HidDevice.h"
#include "hid/HidInterfaceId.h"
#include "hid/HidSlotList.h"
#include "hid/SimulatedHid.h"
#include "sim/MouseDescriptors.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A mouse-shaped device whose output handling a test controls: it can hang (until released)
// or refuse writes.
class ScriptedDevice : public hid::ISimulatedDevice {
public:
    std::uint16_t VendorId() const override { return 0x320F; }
    std::uint16_t ProductId() const override { return 0x2210; }
    std::uint16_t VersionNumber() const override { return 0x0102; }
    std::vector<hid::SimulatedInterface> Interfaces() const override {
        return {{0, sim::MousePointerDescriptor()}, {1, sim::MouseMultiDescriptor()}};
    }
    bool OnOutputReport(std::uint8_t iface, std::span<const std::uint8_t> report) override {
        std::unique_lock<std::mutex> lock(mutex);
        ++calls;
        changed.notify_all();
        changed.wait(lock, [&] { return !hang; });
        written.emplace_back(report.begin(), report.end());
        lastInterface = iface;
        return accept;
    }
    void Release() {
        std::lock_guard<std::mutex> guard(mutex);
        hang = false;
        changed.notify_all();
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool hang = false;
    bool accept = true;
    int calls = 0;
    int lastInterface = -1;
    std::vector<std::vector<std::uint8_t>> written;
};

class SimulatedBus : public ::testing::Test {
protected:
    void SetUp() override {
        bus = std::make_shared<hid::CSimulatedHidBus>();
        device = std::make_shared<ScriptedDevice>();
        bus->Plug(device);
    }
    void TearDown() override { device->Release(); }

    std::string PathOf(int mi, int col) {
        hid::CHidDevice enumerator(bus);
        EXPECT_TRUE(enumerator.EnumerateInterfaces());
        while (const char* p = enumerator.NextInterfacePath()) {
            if (hid::ParseInterfaceNumber(p) == mi && hid::ParseCollectionNumber(p) == col) {
                return p;
            }
        }
        return {};
    }

    std::shared_ptr<hid::CSimulatedHidBus> bus;
    std::shared_ptr<ScriptedDevice> device;
};

TEST_F(SimulatedBus, EnumeratesEveryCollectionWithWindowsShapedPaths) {
    hid::CHidDevice enumerator(bus);
    EXPECT_EQ(enumerator.NextInterfacePath(), nullptr);  // no list yet
    ASSERT_TRUE(enumerator.EnumerateInterfaces());
    std::vector<std::string> paths;
    while (const char* p = enumerator.NextInterfacePath()) {
        paths.push_back(p);
    }
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(hid::ParseCollectionNumber(paths[0]), 0);  // the single pointer collection
    EXPECT_EQ(hid::ParseInterfaceNumber(paths[0]), 0);
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(hid::ParseInterfaceNumber(paths[c]), 1);
        EXPECT_EQ(hid::ParseCollectionNumber(paths[c]), c);
        EXPECT_EQ(hid::ParseVendorId(paths[c]), 0x320F);
        EXPECT_EQ(hid::ParseProductId(paths[c]), 0x2210);
    }
    enumerator.FreeInterfacePaths();
    EXPECT_EQ(enumerator.NextInterfacePath(), nullptr);
}

TEST_F(SimulatedBus, OpenReadsCapabilitiesAndTheCommandInterfaceClaimsSlotTwo) {
    hid::CHidDevice dev(bus);
    const std::string path = PathOf(1, 4);
    ASSERT_TRUE(dev.Open(path, true, true, true, false));
    EXPECT_EQ(dev.Attributes().vendorId, 0x320F);
    EXPECT_EQ(dev.Attributes().versionNumber, 0x0102);
    EXPECT_EQ(dev.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(dev.Caps().usage, 0x92);
    EXPECT_EQ(dev.Caps().inputReportByteLength, 64);
    EXPECT_EQ(dev.Caps().outputReportByteLength, 64);
    EXPECT_EQ(dev.InterfaceNumber(), 1u);
    EXPECT_EQ(dev.CollectionNumber(), 4u);
    EXPECT_EQ(dev.ReportCaps(hid::ReportType::Input).reportBuffer.size(), 64u);

    hid::CHidSlotList slots;
    hid::HidInterfaceId id;
    id.vendorId = dev.Attributes().vendorId;
    id.productId = dev.Attributes().productId;
    id.interfaceNumber = static_cast<std::uint16_t>(dev.InterfaceNumber());
    id.collectionNumber = static_cast<std::uint16_t>(dev.CollectionNumber());
    id.usagePage = dev.Caps().usagePage;
    id.usage = dev.Caps().usage;
    id.path = path;
    std::size_t slot = 0;
    ASSERT_TRUE(slots.ClaimSlot(id, slot));
    EXPECT_EQ(slot, 2u);
}

TEST_F(SimulatedBus, WritesReachTheDeviceAndInputGoesToTheCollectionOfItsReportId) {
    hid::CHidDevice command(bus);
    hid::CHidDevice events(bus);
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    ASSERT_TRUE(events.Open(PathOf(1, 3), true, true, true, false));

    std::uint8_t frame[64] = {0x04, 0x11, 0x22};
    std::uint32_t n = 0;
    ASSERT_EQ(command.Write(frame, 64, &n, 1000), 1);
    EXPECT_EQ(n, 64u);
    ASSERT_EQ(device->written.size(), 1u);
    EXPECT_EQ(device->lastInterface, 1);
    EXPECT_EQ(device->written[0][1], 0x11);

    std::uint8_t consumer[3] = {0x03, 0x01, 0x04};
    std::uint8_t reply[64] = {0x04, 0x99};
    ASSERT_TRUE(bus->SendInputReport(*device, 1, consumer));
    ASSERT_TRUE(bus->SendInputReport(*device, 1, reply));

    std::uint8_t buffer[64] = {};
    ASSERT_EQ(command.Read(buffer, 64, &n, 1000), 1);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(buffer[1], 0x99);
    ASSERT_EQ(events.Read(buffer, 3, &n, 1000), 1);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(buffer[2], 0x04);
    // Each got only its own report.
    EXPECT_EQ(command.Read(buffer, 64, &n, 0), 0);
    EXPECT_EQ(events.Read(buffer, 3, &n, 0), 0);
    EXPECT_EQ(n, 0u);
}

TEST_F(SimulatedBus, QueueKeepsTheNewestThirtyTwoReports) {
    hid::CHidDevice command(bus);
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    std::uint8_t report[64] = {0x04};
    for (int i = 0; i < 40; ++i) {
        report[1] = static_cast<std::uint8_t>(i);
        ASSERT_TRUE(bus->SendInputReport(*device, 1, report));
    }
    std::uint8_t buffer[64];
    std::uint32_t n = 0;
    for (int i = 8; i < 40; ++i) {
        ASSERT_EQ(command.Read(buffer, 64, &n, 0), 1);
        EXPECT_EQ(buffer[1], i);
    }
    EXPECT_EQ(command.Read(buffer, 64, &n, 0), 0);
}

TEST_F(SimulatedBus, WriteToAHangingDeviceReturnsZeroAfterItsTimeOut) {
    hid::CHidDevice command(bus);
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    device->hang = true;
    std::uint8_t frame[64] = {0x04, 0x01};
    std::uint32_t n = 77;
    auto start = Clock::now();
    EXPECT_EQ(command.Write(frame, 64, &n, 300), 0);
    auto elapsed = Clock::now() - start;
    EXPECT_EQ(n, 0u);
    EXPECT_GE(elapsed, milliseconds(290));
    EXPECT_LT(elapsed, milliseconds(2000));

    // The caller's buffer may change now: only the copy reaches the device.
    frame[1] = 0xEE;
    device->Release();
    {
        std::unique_lock<std::mutex> lock(device->mutex);
        ASSERT_TRUE(device->changed.wait_for(lock, std::chrono::seconds(5),
                                             [&] { return device->written.size() == 1; }));
        EXPECT_EQ(device->written[0][1], 0x01);
    }
    EXPECT_EQ(command.Write(frame, 64, &n, 1000), 1);
}

TEST_F(SimulatedBus, RefusedWriteFailsWithoutClosing) {
    hid::CHidDevice command(bus);
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    device->accept = false;
    std::uint8_t frame[64] = {0x04};
    std::uint32_t n = 0;
    EXPECT_EQ(command.Write(frame, 64, &n, 1000), 0);
    device->accept = true;
    EXPECT_EQ(command.Write(frame, 64, &n, 1000), 1);
}

TEST_F(SimulatedBus, CloseFromAnotherThreadReleasesAnInfiniteReadAndABlockedWrite) {
    hid::CHidDevice command(bus);
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    device->hang = true;
    std::atomic<int> readResult{-1};
    std::atomic<int> writeResult{-1};
    std::thread reader([&] {
        std::uint8_t buffer[64];
        std::uint32_t n = 5;
        readResult = command.Read(buffer, 64, &n, hid::kInfinite);
    });
    std::thread writer([&] {
        std::uint8_t frame[64] = {0x04};
        std::uint32_t n = 5;
        writeResult = command.Write(frame, 64, &n, hid::kInfinite);
    });
    {
        std::unique_lock<std::mutex> lock(device->mutex);
        ASSERT_TRUE(device->changed.wait_for(lock, std::chrono::seconds(5),
                                             [&] { return device->calls == 1; }));
    }
    std::this_thread::sleep_for(milliseconds(50));
    auto start = Clock::now();
    command.Close();
    reader.join();
    writer.join();
    EXPECT_LT(Clock::now() - start, milliseconds(500));
    EXPECT_EQ(readResult, 0);
    EXPECT_EQ(writeResult, 0);
    EXPECT_FALSE(command.IsOpen());

    // The cancellation does not leak into a fresh open.
    device->Release();
    ASSERT_TRUE(command.Open(PathOf(1, 4), true, true, true, false));
    std::uint8_t report[64] = {0x04, 0x42};
    ASSERT_TRUE(bus->SendInputReport(*device, 1, report));
    std::uint8_t buffer[64];
    std::uint32_t n = 0;
    EXPECT_EQ(command.Read(buffer, 64, &n, 1000), 1);
}

TEST_F(SimulatedBus, UnplugReleasesWaitersAndTheVanishedPathNoLongerOpens) {
    hid::CHidDevice command(bus);
    const std::string path = PathOf(1, 4);
    ASSERT_TRUE(command.Open(path, true, true, true, false));
    ASSERT_TRUE(hid::IsInterfacePresent(*bus, path));
    std::atomic<int> readResult{-1};
    std::thread reader([&] {
        std::uint8_t buffer[64];
        readResult = command.Read(buffer, 64, nullptr, hid::kInfinite);
    });
    std::this_thread::sleep_for(milliseconds(50));
    bus->Unplug(*device);
    reader.join();
    EXPECT_EQ(readResult, 0);
    EXPECT_FALSE(hid::IsInterfacePresent(*bus, path));

    std::uint8_t frame[64] = {0x04};
    EXPECT_EQ(command.Write(frame, 64, nullptr, 1000), 0);

    hid::CHidDevice again(bus);
    EXPECT_FALSE(again.Open(path, true, true, true, false));
    EXPECT_FALSE(again.IsOpen());
    again.Close();  // harmless when closed
    again.Close();

    // Plugged in again it is a new instance: the old path stays gone.
    bus->Plug(device);
    EXPECT_FALSE(hid::IsInterfacePresent(*bus, path));
    EXPECT_FALSE(PathOf(1, 4).empty());
}

TEST_F(SimulatedBus, ClosedOrUnopenedDeviceFailsEveryTransfer) {
    hid::CHidDevice dev(bus);
    std::uint8_t buffer[64] = {};
    std::uint32_t n = 9;
    EXPECT_EQ(dev.Read(buffer, 64, &n, 10), 0);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(dev.Write(buffer, 64, &n, 10), 0);
    EXPECT_FALSE(dev.Open("sim/hid99&vid_320f&pid_2210&mi_01&col04", true, true, true, false));
    EXPECT_FALSE(dev.Open("nonsense", true, true, true, false));
    EXPECT_FALSE(dev.Open("sim/hid0&vid_320f&pid_2211&mi_01&col04", true, true, true, false));
    EXPECT_FALSE(dev.Open(PathOf(1, 4) + "0", true, true, true, false));  // collection 0x40
}

}  // namespace

namespace {

// Refuses keyboard LED reports (id 1) and takes command frames (id 4).
class PickyDevice : public ScriptedDevice {
public:
    bool OnOutputReport(std::uint8_t, std::span<const std::uint8_t> report) override {
        return report[0] == 4;
    }
};

TEST(SimulatedBusWriters, TwoCollectionsWritingAtOnceEachGetTheirOwnResult) {
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    auto device = std::make_shared<PickyDevice>();
    bus->Plug(device);
    hid::CHidDevice keyboard(bus);
    hid::CHidDevice command(bus);
    ASSERT_TRUE(keyboard.Open("sim/hid0&vid_320f&pid_2210&mi_01&col01", true, true, true, false));
    ASSERT_TRUE(command.Open("sim/hid0&vid_320f&pid_2210&mi_01&col04", true, true, true, false));
    std::atomic<int> wrong{0};
    std::thread leds([&] {
        std::uint8_t report[2] = {0x01, 0x02};
        for (int i = 0; i < 300; ++i) {
            wrong += keyboard.Write(report, 2, nullptr, 1000) != 0;
        }
    });
    std::thread frames([&] {
        std::uint8_t frame[64] = {0x04};
        for (int i = 0; i < 300; ++i) {
            wrong += command.Write(frame, 64, nullptr, 1000) != 1;
        }
    });
    leds.join();
    frames.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
