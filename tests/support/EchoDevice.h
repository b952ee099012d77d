#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "hid/SimulatedHid.h"
#include "sim/MouseDescriptors.h"

namespace testsupport {

// A device that answers every output report with the same bytes as an input report, as the
// firmware does, so transport tests and benchmarks see a round trip without a firmware model.
class EchoDevice : public hid::ISimulatedDevice {
public:
    explicit EchoDevice(hid::CSimulatedHidBus& bus) : bus_(bus) {}
    std::uint16_t VendorId() const override { return 0x320F; }
    std::uint16_t ProductId() const override { return 0x2210; }
    std::uint16_t VersionNumber() const override { return 1; }
    std::vector<hid::SimulatedInterface> Interfaces() const override {
        return {{1, sim::MouseMultiDescriptor()}};
    }
    bool OnOutputReport(std::uint8_t iface, std::span<const std::uint8_t> report) override {
        return bus_.SendInputReport(*this, iface, report);
    }

private:
    hid::CSimulatedHidBus& bus_;
};

}  // namespace testsupport
