#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "hid/SimulatedHid.h"
#include "sim/CommandFirmware.h"
#include "sim/FaultSwitch.h"
#include "sim/FirmwareConfig.h"
#include "sim/ReportScheduler.h"

namespace sim {

// How one kind of emulated device presents itself on the bus.
struct EmulatedDeviceDescription {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
    std::vector<hid::SimulatedInterface> interfaces;
    std::uint8_t commandInterface = 1;  // where command frames arrive and replies go
    std::uint8_t commandReportId = 4;
    std::uint8_t eventInterface = 1;  // consumer-control collection carrying device events
    std::uint8_t eventReportId = 3;
};

// A device on the simulated bus whose command collection is answered by a CommandFirmware.
// Replies go back through a CReportScheduler (latency and late replies); other output reports
// are only recorded. Device kinds derive from it and add their own traffic.
// The owner keeps a shared_ptr to it while it is plugged in and calls Stop before the bus ends.
class CEmulatedDevice : public hid::ISimulatedDevice,
                        public std::enable_shared_from_this<CEmulatedDevice> {
public:
    CEmulatedDevice(hid::CSimulatedHidBus& bus, EmulatedDeviceDescription description,
                    const FirmwareConfig& config);
    ~CEmulatedDevice() override;

    std::uint16_t VendorId() const override { return description_.vendorId; }
    std::uint16_t ProductId() const override { return description_.productId; }
    std::uint16_t VersionNumber() const override { return description_.versionNumber; }
    std::vector<hid::SimulatedInterface> Interfaces() const override;
    bool OnOutputReport(std::uint8_t interfaceNumber,
                        std::span<const std::uint8_t> report) override;

    CommandFirmware& Firmware() { return firmware_; }

    // Sends an input report now (byte 0 = report id, 0 when the interface has none).
    bool SendInputReport(std::uint8_t interfaceNumber, std::span<const std::uint8_t> report);
    // One usage on the event collection, pressed and released.
    bool SendEvent(std::uint16_t usage);
    // Tells the host that the settings were changed on the device itself.
    bool SendSettingsChangedEvent() { return SendEvent(kSettingsChangedUsage); }

    struct OutputReport {
        std::uint8_t interfaceNumber = 0;
        std::vector<std::uint8_t> bytes;
    };
    // Output reports written since the last call (the most recent kOutputRecordSize), oldest
    // first.
    std::vector<OutputReport> TakeOutputReports();

    // Ends the device's own thread; no report is sent after it returns.
    void Stop();

    // Set before the device is plugged in. Faults at random on command requests (null: none);
    // and what runs, on the device's thread, after a fault unplugged the device.
    void SetFaultSwitch(std::shared_ptr<CFaultSwitch> faults) { faults_ = std::move(faults); }
    void SetUnplugListener(std::function<void()> listener) {
        unplugListener_ = std::move(listener);
    }

    static constexpr std::uint16_t kSettingsChangedUsage = 0x0401;
    static constexpr std::size_t kOutputRecordSize = 256;

protected:
    CReportScheduler& Scheduler() { return scheduler_; }
    hid::CSimulatedHidBus& Bus() { return bus_; }

private:
    // Runs on the scheduler's thread when an injected fault unplugs the device.
    void UnplugSelf();

    struct RecordedReport {
        std::uint8_t interfaceNumber = 0;
        std::size_t length = 0;
        std::array<std::uint8_t, 64> bytes{};
    };

    hid::CSimulatedHidBus& bus_;
    EmulatedDeviceDescription description_;
    CommandFirmware firmware_;

    std::mutex recordLock_;
    std::array<RecordedReport, kOutputRecordSize> record_{};
    std::size_t recordHead_ = 0;
    std::size_t recordCount_ = 0;

    std::shared_ptr<CFaultSwitch> faults_;
    std::function<void()> unplugListener_;

    CReportScheduler scheduler_;  // last: its thread stops before the members above go
};

}  // namespace sim
