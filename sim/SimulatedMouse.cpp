#include "sim/SimulatedMouse.h"

#include "sim/MouseDescriptors.h"

namespace sim {

CSimulatedMouse::CSimulatedMouse(hid::CSimulatedHidBus& bus) : bus_(bus) {}

std::uint16_t CSimulatedMouse::VendorId() const {
    return kMouseVendorId;
}

std::uint16_t CSimulatedMouse::ProductId() const {
    return kMouseProductId;
}

std::uint16_t CSimulatedMouse::VersionNumber() const {
    return kMouseVersion;
}

std::vector<hid::SimulatedInterface> CSimulatedMouse::Interfaces() const {
    return {{0, MousePointerDescriptor()}, {1, MouseMultiDescriptor()}};
}

bool CSimulatedMouse::OnOutputReport(std::uint8_t interfaceNumber,
                                     std::span<const std::uint8_t> report) {
    std::lock_guard<std::mutex> guard(lock_);
    outputReports_.push_back({interfaceNumber, {report.begin(), report.end()}});
    return true;
}

bool CSimulatedMouse::SendInputReport(std::uint8_t interfaceNumber,
                                      std::span<const std::uint8_t> report) {
    return bus_.SendInputReport(*this, interfaceNumber, report);
}

std::vector<CSimulatedMouse::OutputReport> CSimulatedMouse::TakeOutputReports() {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<OutputReport> taken;
    taken.swap(outputReports_);
    return taken;
}

}  // namespace sim
