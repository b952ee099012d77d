#pragma once

#include <memory>
#include <string>

#include "hid/SimulatedHid.h"
#include "sim/FirmwareConfig.h"
#include "sim/MouseFirmware.h"
#include "sim/SimulatedMouse.h"

namespace sim {

// An emulated mouse plugged into its own simulated bus: what tests and benchmarks talk to.
// It keeps the mouse alive while plugged and stops it before the bus goes away.
class CSimulatedMouseRig {
public:
    explicit CSimulatedMouseRig(const FirmwareConfig& config = MouseFirmwareConfig());
    ~CSimulatedMouseRig();
    CSimulatedMouseRig(const CSimulatedMouseRig&) = delete;
    CSimulatedMouseRig& operator=(const CSimulatedMouseRig&) = delete;

    // Interface paths as enumeration shows them; empty when unplugged.
    std::string CommandPath() const;  // interface 1, collection 4
    std::string EventPath() const;    // interface 1, collection 3
    std::string PointerPath() const;  // interface 0

    void Plug();
    void Unplug();

    std::shared_ptr<hid::CSimulatedHidBus> bus;
    std::shared_ptr<CSimulatedMouse> mouse;

private:
    std::string FindPath(const std::string& suffix) const;
};

}  // namespace sim
