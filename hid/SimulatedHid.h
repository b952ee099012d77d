#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "hid/HidBackend.h"

// The simulated HID bus: emulated devices plug into it and are reached through CHidDevice
// exactly like real ones (paths, capabilities, bounded reads and writes, unplug).
namespace hid {

struct SimulatedInterface {
    std::uint8_t interfaceNumber = 0;
    std::vector<std::uint8_t> reportDescriptor;
};

// What an emulated device implements.
class ISimulatedDevice {
public:
    virtual ~ISimulatedDevice() = default;

    virtual std::uint16_t VendorId() const = 0;
    virtual std::uint16_t ProductId() const = 0;
    virtual std::uint16_t VersionNumber() const = 0;
    // Read once when the device is plugged in.
    virtual std::vector<SimulatedInterface> Interfaces() const = 0;

    // The host wrote an output report (byte 0 = report id, 0 when the interface has none) on
    // one interface. Called on the bus's writer thread of that interface, one call at a time,
    // never under a bus lock, so it may send input reports and may block to model latency
    // (the host's Write gives up at its time-out; the call still completes). Return false to
    // fail the write as an unplugged device would.
    virtual bool OnOutputReport(std::uint8_t interfaceNumber,
                                std::span<const std::uint8_t> report) = 0;
};

class CSimulatedHidBus final : public IHidBackend {
public:
    CSimulatedHidBus();
    ~CSimulatedHidBus() override;
    CSimulatedHidBus(const CSimulatedHidBus&) = delete;
    CSimulatedHidBus& operator=(const CSimulatedHidBus&) = delete;

    // The device appears at the next enumeration (plugging the same device twice does nothing).
    void Plug(std::shared_ptr<ISimulatedDevice> device);
    // Open handles on it fail at once from now on and its paths are no longer present.
    void Unplug(const ISimulatedDevice& device);
    // The device sends an input report on one of its interfaces (byte 0 = report id, 0 when the
    // interface has none); every open handle of the collection owning that id receives a copy.
    // False when the device is not plugged in or the interface does not exist.
    bool SendInputReport(const ISimulatedDevice& device, std::uint8_t interfaceNumber,
                         std::span<const std::uint8_t> report);

    bool Enumerate(std::vector<std::string>& paths) override;
    bool IsPresent(const std::string& path) override;
    std::unique_ptr<IHidHandle> Open(const std::string& path, bool write) override;

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace hid
