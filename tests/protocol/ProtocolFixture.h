#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "protocol/DeviceProtocol.h"
#include "sim/CommandFirmware.h"
#include "sim/MouseFirmware.h"
#include "sim/SimulatedMouseRig.h"

namespace prototest {

// A protocol object opened on the command interface of an emulated mouse.
class ProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { Start(sim::MouseFirmwareConfig()); }

    // Replaces the emulated mouse by one with the given memory.
    void Start(const sim::FirmwareConfig& config) {
        protocol.reset();
        rig = std::make_unique<sim::CSimulatedMouseRig>(config);
        protocol = std::make_unique<protocol::CDeviceProtocol>(rig->bus);
        ASSERT_TRUE(protocol->hid.Open(rig->CommandPath(), true, true, true, false));
        protocol->opened = true;
    }

    sim::CommandFirmware& Firmware() { return rig->mouse->Firmware(); }
    std::vector<sim::FrameBytes> Sent(std::uint8_t command) {
        return Firmware().ReceivedFrames(command);
    }

    std::unique_ptr<sim::CSimulatedMouseRig> rig;
    std::unique_ptr<protocol::CDeviceProtocol> protocol;
};

}  // namespace prototest
