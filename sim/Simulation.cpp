#include "sim/Simulation.h"

#include "hid/HidBackend.h"

namespace sim {

CSimulation::CSimulation() : bus_(std::make_shared<hid::CSimulatedHidBus>()) {}

std::unique_ptr<CSimulation> CSimulation::Start(const std::vector<std::string>& kinds,
                                                std::vector<std::string>* notEmulated) {
    std::unique_ptr<CSimulation> simulation(new CSimulation());
    for (const std::string& kind : kinds) {
        if (kind == "mouse" && !simulation->mouse_) {
            simulation->mouse_ = std::make_shared<CSimulatedMouse>(*simulation->bus_);
            simulation->bus_->Plug(simulation->mouse_);
        } else if (kind != "mouse" && notEmulated != nullptr) {
            notEmulated->push_back(kind);
        }
    }
    hid::UseBackend(simulation->bus_);
    return simulation;
}

CSimulation::~CSimulation() {
    if (mouse_) {
        mouse_->Stop();
        bus_->Unplug(*mouse_);
    }
}

}  // namespace sim
