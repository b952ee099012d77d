#include "sim/SimulatedMouseRig.h"

#include <vector>

namespace sim {

CSimulatedMouseRig::CSimulatedMouseRig(const FirmwareConfig& config)
    : bus(std::make_shared<hid::CSimulatedHidBus>()),
      mouse(std::make_shared<CSimulatedMouse>(*bus, config)) {
    Plug();
}

CSimulatedMouseRig::~CSimulatedMouseRig() {
    mouse->Stop();
    bus->Unplug(*mouse);
}

void CSimulatedMouseRig::Plug() {
    bus->Plug(mouse);
}

void CSimulatedMouseRig::Unplug() {
    bus->Unplug(*mouse);
}

std::string CSimulatedMouseRig::FindPath(const std::string& suffix) const {
    std::vector<std::string> paths;
    bus->Enumerate(paths);
    for (const std::string& path : paths) {
        if (path.size() >= suffix.size() &&
            path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
            return path;
        }
    }
    return {};
}

std::string CSimulatedMouseRig::CommandPath() const {
    return FindPath("&mi_01&col04");
}

std::string CSimulatedMouseRig::EventPath() const {
    return FindPath("&mi_01&col03");
}

std::string CSimulatedMouseRig::PointerPath() const {
    return FindPath("&mi_00");
}

}  // namespace sim
