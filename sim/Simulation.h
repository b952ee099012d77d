#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hid/SimulatedHid.h"
#include "sim/SimulatedMouse.h"

namespace sim {

// The emulated devices of a --simulate run, plugged into one simulated bus that becomes the
// process's HID backend. Keep the object for the whole run: it owns the devices, and its
// destruction stops their threads before unplugging them.
class CSimulation {
public:
    // kinds: "mouse" is emulated; other kinds are not yet and are listed in notEmulated.
    static std::unique_ptr<CSimulation> Start(const std::vector<std::string>& kinds,
                                              std::vector<std::string>* notEmulated = nullptr);
    ~CSimulation();
    CSimulation(const CSimulation&) = delete;
    CSimulation& operator=(const CSimulation&) = delete;

    const std::shared_ptr<hid::CSimulatedHidBus>& Bus() const { return bus_; }
    // The emulated mouse, or null when none was asked for.
    const std::shared_ptr<CSimulatedMouse>& Mouse() const { return mouse_; }

private:
    CSimulation();

    std::shared_ptr<hid::CSimulatedHidBus> bus_;
    std::shared_ptr<CSimulatedMouse> mouse_;
};

}  // namespace sim
