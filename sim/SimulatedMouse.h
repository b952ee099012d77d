#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "hid/SimulatedHid.h"

namespace sim {

// An emulated ZR-310 on a simulated bus: its descriptors, every output report the host wrote,
// and input reports a test sends through it.
class CSimulatedMouse : public hid::ISimulatedDevice {
public:
    // The bus must outlive the mouse's use of it; plugging is the caller's (bus.Plug).
    explicit CSimulatedMouse(hid::CSimulatedHidBus& bus);

    std::uint16_t VendorId() const override;
    std::uint16_t ProductId() const override;
    std::uint16_t VersionNumber() const override;
    std::vector<hid::SimulatedInterface> Interfaces() const override;
    bool OnOutputReport(std::uint8_t interfaceNumber,
                        std::span<const std::uint8_t> report) override;

    // Sends an input report on interface 0 or 1 (byte 0 = report id on interface 1).
    bool SendInputReport(std::uint8_t interfaceNumber, std::span<const std::uint8_t> report);

    struct OutputReport {
        std::uint8_t interfaceNumber = 0;
        std::vector<std::uint8_t> bytes;
    };
    // The output reports written so far, oldest first; the record is emptied.
    std::vector<OutputReport> TakeOutputReports();

private:
    hid::CSimulatedHidBus& bus_;
    std::mutex lock_;
    std::vector<OutputReport> outputReports_;
};

}  // namespace sim
