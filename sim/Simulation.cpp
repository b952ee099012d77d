#include "sim/Simulation.h"

#include <chrono>

#include "base/Trace.h"
#include "hid/HidBackend.h"

namespace sim {

CSimulation::CSimulation() : bus_(std::make_shared<hid::CSimulatedHidBus>()) {}

std::unique_ptr<CSimulation> CSimulation::Start(const std::vector<std::string>& kinds,
                                                std::vector<std::string>* notEmulated,
                                                const FaultRates& faults) {
    std::unique_ptr<CSimulation> simulation(new CSimulation());
    if (faults.Any()) {
        simulation->faults_ = std::make_shared<CFaultSwitch>(faults);
        trace::Linef(
            "emulator faults: drop=%g garbage=%g stale=%g unplug-after=%u-%u "
            "replug-after=%u seed=%llu",
            faults.drop, faults.garbage, faults.stale, faults.unplugAfter, faults.unplugAfterMost,
            faults.replugAfterMs, static_cast<unsigned long long>(faults.seed));
    }
    for (const std::string& kind : kinds) {
        if (kind == "mouse" && !simulation->mouse_) {
            simulation->mouse_ = std::make_shared<CSimulatedMouse>(*simulation->bus_);
            if (simulation->faults_) {
                simulation->mouse_->SetFaultSwitch(simulation->faults_);
                CSimulation* self = simulation.get();
                simulation->mouse_->SetUnplugListener([self] {
                    trace::Line("emulated mouse unplugged by a fault");
                    std::lock_guard lock(self->replugLock_);
                    self->mouseUnplugged_ = true;
                    self->replugWake_.notify_all();
                });
            }
            simulation->bus_->Plug(simulation->mouse_);
        } else if (kind != "mouse" && notEmulated != nullptr) {
            notEmulated->push_back(kind);
        }
    }
    if (simulation->mouse_ && simulation->faults_ && faults.replugAfterMs > 0) {
        CSimulation* self = simulation.get();
        simulation->replugger_ = std::jthread([self](std::stop_token stop) { self->Replug(stop); });
    }
    hid::UseBackend(simulation->bus_);
    return simulation;
}

void CSimulation::Replug(std::stop_token stop) {
    const auto delay = std::chrono::milliseconds(faults_->Rates().replugAfterMs);
    std::unique_lock lock(replugLock_);
    while (!stop.stop_requested()) {
        if (!replugWake_.wait(lock, stop, [this] { return mouseUnplugged_; })) {
            return;
        }
        // Away for a while, as a cable pulled and pushed back in would be.
        if (replugWake_.wait_for(lock, stop, delay, [] { return false; }) ||
            stop.stop_requested()) {
            return;
        }
        mouseUnplugged_ = false;
        ++replugs_;
        lock.unlock();
        // What the mouse keeps only while powered is gone.
        mouse_->Firmware().EditMemory([](FirmwareMemory& memory) {
            memory.sessionOpen = false;
            memory.liveLight = false;
        });
        faults_->Replugged();
        bus_->Plug(mouse_);
        trace::Line("emulated mouse plugged in again");
        lock.lock();
    }
}

unsigned CSimulation::ReplugCount() const {
    std::lock_guard lock(replugLock_);
    return replugs_;
}

CSimulation::~CSimulation() {
    replugger_ = {};  // stops and joins: no plug-in while the devices go
    if (mouse_) {
        mouse_->Stop();
        mouse_->SetUnplugListener(nullptr);
        bus_->Unplug(*mouse_);
    }
}

}  // namespace sim
