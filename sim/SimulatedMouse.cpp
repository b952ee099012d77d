#include "sim/SimulatedMouse.h"

#include <chrono>

#include "sim/MouseDescriptors.h"

namespace sim {
namespace {

constexpr std::size_t kSettingsSlotSize = 128;
constexpr std::size_t kReportRateByte = 14;
constexpr std::size_t kActiveStageByte = 24;
constexpr std::uint8_t kDpiStages = 4;
constexpr unsigned kReportRates[] = {125, 250, 500, 1000, 2000};

EmulatedDeviceDescription MouseDescription() {
    EmulatedDeviceDescription description;
    description.vendorId = kMouseVendorId;
    description.productId = kMouseProductId;
    description.versionNumber = kMouseVersion;
    description.interfaces = {{0, MousePointerDescriptor()}, {1, MouseMultiDescriptor()}};
    description.commandInterface = 1;
    description.commandReportId = kVendorReportId;
    description.eventInterface = 1;
    description.eventReportId = kConsumerReportId;
    return description;
}

}  // namespace

CSimulatedMouse::CSimulatedMouse(hid::CSimulatedHidBus& bus, const FirmwareConfig& config)
    : CEmulatedDevice(bus, MouseDescription(), config) {}

unsigned CSimulatedMouse::ReportRateHz() {
    FirmwareMemory memory = Firmware().Memory();
    std::size_t profile = memory.settings.empty() ? 0 : memory.settings[0];
    std::size_t at = profile * kSettingsSlotSize + kReportRateByte;
    std::size_t index = at < memory.settings.size() ? memory.settings[at] : 0;
    return kReportRates[index < std::size(kReportRates) ? index : 0];
}

bool CSimulatedMouse::SwitchProfileOnDevice(std::uint8_t profile) {
    bool known = false;
    Firmware().EditMemory([&](FirmwareMemory& memory) {
        if ((std::size_t{profile} + 1) * kSettingsSlotSize <= memory.settings.size()) {
            memory.settings[0] = profile;
            known = true;
        }
    });
    return known && SendSettingsChangedEvent();
}

bool CSimulatedMouse::PressDpiButton() {
    bool changed = false;
    Firmware().EditMemory([&](FirmwareMemory& memory) {
        const std::size_t profile = memory.settings.empty() ? 0 : memory.settings[0];
        const std::size_t at = profile * kSettingsSlotSize + kActiveStageByte;
        if (at < memory.settings.size()) {
            memory.settings[at] = static_cast<std::uint8_t>((memory.settings[at] + 1) % kDpiStages);
            changed = true;
        }
    });
    return changed && SendSettingsChangedEvent();
}

std::uint8_t CSimulatedMouse::ActiveDpiStage() {
    FirmwareMemory memory = Firmware().Memory();
    const std::size_t profile = memory.settings.empty() ? 0 : memory.settings[0];
    const std::size_t at = profile * kSettingsSlotSize + kActiveStageByte;
    return at < memory.settings.size() ? memory.settings[at] : 0;
}

void CSimulatedMouse::StartMoving(std::int16_t dx, std::int16_t dy, std::uint8_t buttons) {
    // Interface 0 has no report ids: byte 0 is 0, then buttons, X, Y (16-bit) and wheel.
    const auto x = static_cast<std::uint16_t>(dx);
    const auto y = static_cast<std::uint16_t>(dy);
    const std::uint8_t report[7] = {0,
                                    static_cast<std::uint8_t>(buttons & 0x1F),
                                    static_cast<std::uint8_t>(x & 0xFF),
                                    static_cast<std::uint8_t>(x >> 8),
                                    static_cast<std::uint8_t>(y & 0xFF),
                                    static_cast<std::uint8_t>(y >> 8),
                                    0};
    Scheduler().StartPeriodic(0, report, std::chrono::microseconds(1000000 / ReportRateHz()));
}

void CSimulatedMouse::StopMoving() {
    Scheduler().StopPeriodic();
}

bool CSimulatedMouse::IsMoving() {
    return Scheduler().PeriodicRunning();
}

}  // namespace sim
