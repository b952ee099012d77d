#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "hid/HidDevice.h"
#include "protocol/FrameLayout.h"
#include "sim/MouseDescriptors.h"
#include "sim/SimulatedMouseRig.h"
#include "sim/Simulation.h"

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

class SimulatedMouseTest : public ::testing::Test {
protected:
    // Opens one of the rig's interfaces for reading and writing.
    std::unique_ptr<hid::CHidDevice> OpenInterface(const std::string& path) {
        auto device = std::make_unique<hid::CHidDevice>(rig.bus);
        EXPECT_FALSE(path.empty());
        EXPECT_TRUE(device->Open(path, true, true, true, false)) << path;
        return device;
    }

    sim::CSimulatedMouseRig rig;
};

TEST_F(SimulatedMouseTest, PresentsTheMouseInterfacesAsARealOneDoes) {
    std::vector<std::string> paths;
    ASSERT_TRUE(rig.bus->Enumerate(paths));
    ASSERT_EQ(paths.size(), 5u);  // pointer + four collections of interface 1
    auto command = OpenInterface(rig.CommandPath());
    EXPECT_EQ(command->Caps().usagePage, 0xFF1C);
    EXPECT_EQ(command->Caps().usage, 0x92);
    EXPECT_EQ(command->Caps().outputReportByteLength, 64);
    auto events = OpenInterface(rig.EventPath());
    EXPECT_EQ(events->Caps().usagePage, 0x000C);
    EXPECT_EQ(events->Caps().usage, 0x01);
}

TEST_F(SimulatedMouseTest, CommandFramesAreAnsweredOnTheCommandCollection) {
    auto command = OpenInterface(rig.CommandPath());
    protocol::Frame request;
    protocol::StartRequest(request, 26);
    protocol::SetLengthAndOffset(request, 6, 0);
    protocol::SealFrame(request);
    ASSERT_EQ(command->Write(request, 64, nullptr, 1000), 1);
    std::uint8_t reply[64] = {};
    std::uint32_t got = 0;
    ASSERT_EQ(command->Read(reply, 64, &got, 1000), 1);
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(reply[0], 4);
    EXPECT_EQ(reply[3], 26);
    EXPECT_EQ(reply[8], 100);  // battery
    auto outputs = rig.mouse->TakeOutputReports();
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].interfaceNumber, 1);
}

TEST_F(SimulatedMouseTest, SettingsChangedEventDecodesToUsage0401) {
    auto events = OpenInterface(rig.EventPath());
    ASSERT_TRUE(rig.mouse->SendSettingsChangedEvent());
    std::uint8_t report[64] = {};
    std::uint32_t got = 0;
    ASSERT_EQ(events->Read(report, events->Caps().inputReportByteLength, &got, 1000), 1);
    auto& elements = events->ReportCaps(hid::ReportType::Input).dataElements;
    ASSERT_FALSE(elements.empty());
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), report, got,
                                              hid::ReportType::Input, events->PreparsedData()));
    ASSERT_TRUE(elements[0].isButton);
    ASSERT_FALSE(elements[0].usageList.empty());
    EXPECT_EQ(elements[0].usageList[0], 0x0401);
    // The release follows with no usage.
    ASSERT_EQ(events->Read(report, events->Caps().inputReportByteLength, &got, 1000), 1);
    ASSERT_TRUE(hid::CHidDevice::UnpackReport(elements.data(), elements.size(), report, got,
                                              hid::ReportType::Input, events->PreparsedData()));
    EXPECT_EQ(elements[0].usageList[0], 0);
}

TEST_F(SimulatedMouseTest, ProfileButtonChangesTheCurrentProfileAndTellsTheHost) {
    auto events = OpenInterface(rig.EventPath());
    EXPECT_FALSE(rig.mouse->SwitchProfileOnDevice(sim::kMouseProfiles));
    ASSERT_TRUE(rig.mouse->SwitchProfileOnDevice(3));
    EXPECT_EQ(rig.mouse->Firmware().Memory().settings[0], 3);
    std::uint8_t report[64] = {};
    std::uint32_t got = 0;
    ASSERT_EQ(events->Read(report, sizeof report, &got, 1000), 1);
    EXPECT_EQ(report[0], sim::kConsumerReportId);
    EXPECT_EQ(report[1], 0x01);
    EXPECT_EQ(report[2], 0x04);
}

TEST_F(SimulatedMouseTest, MotionStreamsAtTheReportRateUntilStopped) {
    auto pointer = OpenInterface(rig.PointerPath());
    EXPECT_EQ(rig.mouse->ReportRateHz(), 2000u);  // factory: index 4
    rig.mouse->StartMoving(3, -2);
    EXPECT_TRUE(rig.mouse->IsMoving());
    std::uint8_t report[16] = {};
    std::uint32_t got = 0;
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(pointer->Read(report, sizeof report, &got, 1000), 1) << i;
    }
    EXPECT_EQ(report[0], 0);
    EXPECT_EQ(report[1], 0);  // no buttons
    EXPECT_EQ(static_cast<std::int16_t>(report[2] | (report[3] << 8)), 3);
    EXPECT_EQ(static_cast<std::int16_t>(report[4] | (report[5] << 8)), -2);
    rig.mouse->StopMoving();
    // Drain what was queued; then the stream is quiet.
    while (pointer->Read(report, sizeof report, &got, 50) == 1) {
    }
    EXPECT_EQ(pointer->Read(report, sizeof report, &got, 50), 0);
}

TEST_F(SimulatedMouseTest, ReportRateFollowsTheCurrentProfile) {
    rig.mouse->Firmware().EditMemory([](sim::FirmwareMemory& m) {
        m.settings[0] = 2;             // current profile
        m.settings[2 * 128 + 14] = 1;  // its report-rate index
    });
    EXPECT_EQ(rig.mouse->ReportRateHz(), 250u);
    rig.mouse->Firmware().EditMemory([](sim::FirmwareMemory& m) { m.settings[2 * 128 + 14] = 9; });
    EXPECT_EQ(rig.mouse->ReportRateHz(), 125u);
}

TEST_F(SimulatedMouseTest, StopsWhileMoving) {
    rig.mouse->StartMoving(1, 1);
    rig.mouse->Stop();
    EXPECT_FALSE(rig.mouse->IsMoving());
}

}  // namespace

namespace {

TEST(Simulation, PlugsTheMouseIntoTheProcessBackend) {
    std::vector<std::string> notEmulated;
    auto simulation = sim::CSimulation::Start({"mouse", "keyboard"}, &notEmulated);
    EXPECT_EQ(notEmulated, std::vector<std::string>{"keyboard"});
    ASSERT_NE(simulation->Mouse(), nullptr);
    EXPECT_EQ(hid::DefaultBackend(), std::static_pointer_cast<hid::IHidBackend>(simulation->Bus()));
    hid::CHidDevice enumerator;
    ASSERT_TRUE(enumerator.EnumerateInterfaces());
    int count = 0;
    while (enumerator.NextInterfacePath() != nullptr) {
        ++count;
    }
    EXPECT_EQ(count, 5);
    simulation.reset();
    std::vector<std::string> paths;
    hid::DefaultBackend()->Enumerate(paths);
    EXPECT_TRUE(paths.empty());
}

// A mouse owned only by the bus that unplugs itself mid-transfer must not end on its own thread.
TEST(EmulatedDevice, UnplugFaultOnADeviceOwnedOnlyByTheBus) {
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    auto mouse = std::make_shared<sim::CSimulatedMouse>(*bus);
    std::weak_ptr<sim::CSimulatedMouse> watch = mouse;
    mouse->Firmware().InjectFault({.kind = sim::FaultKind::Unplug});
    bus->Plug(mouse);
    mouse.reset();

    std::vector<std::string> paths;
    bus->Enumerate(paths);
    std::string command;
    for (const auto& path : paths) {
        if (path.ends_with("&col04")) {
            command = path;
        }
    }
    hid::CHidDevice device(bus);
    ASSERT_TRUE(device.Open(command, true, true, true, false));
    protocol::Frame request;
    protocol::StartRequest(request, 1);
    protocol::SealFrame(request);
    device.Write(request, 64, nullptr, 1000);
    std::uint8_t reply[64];
    EXPECT_EQ(device.Read(reply, 64, nullptr, 1000), 0);
    auto deadline = Clock::now() + 2s;
    while (!watch.expired() && Clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(watch.expired());
}

}  // namespace

TEST_F(SimulatedMouseTest, DpiButtonMovesTheActiveStageAndTellsTheHost) {
    auto events = OpenInterface(rig.EventPath());
    const std::uint8_t before = rig.mouse->ActiveDpiStage();
    for (int press = 1; press <= 4; ++press) {
        ASSERT_TRUE(rig.mouse->PressDpiButton());
        EXPECT_EQ(rig.mouse->ActiveDpiStage(), (before + press) % 4);
        std::uint8_t report[64] = {};
        std::uint32_t got = 0;
        ASSERT_EQ(events->Read(report, sizeof report, &got, 1000), 1);  // press
        EXPECT_EQ(report[1], 0x01);
        EXPECT_EQ(report[2], 0x04);
        ASSERT_EQ(events->Read(report, sizeof report, &got, 1000), 1);  // release
    }
    EXPECT_EQ(rig.mouse->Firmware().Memory().settings[24], before);
}
