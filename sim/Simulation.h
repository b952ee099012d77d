#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hid/SimulatedHid.h"
#include "sim/FaultSwitch.h"
#include "sim/SimulatedMouse.h"

namespace sim {

// The emulated devices of a --simulate run, plugged into one simulated bus that becomes the
// process's HID backend. Keep the object for the whole run: it owns the devices, and its
// destruction stops their threads before unplugging them.
class CSimulation {
public:
    // kinds: "mouse" is emulated; other kinds are not yet and are listed in notEmulated.
    // faults: what the emulated devices get wrong on purpose (none by default); a device that a
    // fault unplugged is plugged in again after faults.replugAfterMs when that is set.
    static std::unique_ptr<CSimulation> Start(const std::vector<std::string>& kinds,
                                              std::vector<std::string>* notEmulated = nullptr,
                                              const FaultRates& faults = {});
    ~CSimulation();
    CSimulation(const CSimulation&) = delete;
    CSimulation& operator=(const CSimulation&) = delete;

    const std::shared_ptr<hid::CSimulatedHidBus>& Bus() const { return bus_; }
    // The emulated mouse, or null when none was asked for.
    const std::shared_ptr<CSimulatedMouse>& Mouse() const { return mouse_; }

    // How often a fault unplugged the mouse and it came back.
    unsigned ReplugCount() const;

private:
    CSimulation();
    void Replug(std::stop_token stop);

    std::shared_ptr<hid::CSimulatedHidBus> bus_;
    std::shared_ptr<CSimulatedMouse> mouse_;
    std::shared_ptr<CFaultSwitch> faults_;

    mutable std::mutex replugLock_;
    std::condition_variable_any replugWake_;
    bool mouseUnplugged_ = false;
    unsigned replugs_ = 0;
    std::jthread replugger_;  // last: stopped before the members above go
};

}  // namespace sim
