#pragma once

#include <cstdint>

#include "hid/SimulatedHid.h"
#include "sim/EmulatedDevice.h"
#include "sim/MouseFirmware.h"

namespace sim {

// An emulated ZR-310: interface 0 streams boot-pointer motion while the mouse moves,
// interface 1 carries keyboard, system control, consumer control (device events, collection 3)
// and the vendor command collection (collection 4) answered by the mouse firmware.
class CSimulatedMouse : public CEmulatedDevice {
public:
    // The bus must outlive the mouse's use of it; plugging is the caller's (bus.Plug).
    explicit CSimulatedMouse(hid::CSimulatedHidBus& bus,
                             const FirmwareConfig& config = MouseFirmwareConfig());

    // Motion reports (dx, dy per report) at the current profile's report rate until StopMoving.
    void StartMoving(std::int16_t dx, std::int16_t dy, std::uint8_t buttons = 0);
    void StopMoving();
    bool IsMoving();
    // What the profile button on the mouse does: another profile becomes current (settings
    // byte 0) and the host is told the settings changed. False for a profile the mouse lacks.
    bool SwitchProfileOnDevice(std::uint8_t profile);
    // What the DPI button on the mouse does: the current profile's active DPI stage (settings
    // byte 24) moves to the next of the four stages, and the host is told the settings changed.
    bool PressDpiButton();
    // Active DPI stage of the current profile.
    std::uint8_t ActiveDpiStage();
    // Report rate of the current profile (settings byte 14): 125, 250, 500, 1000 or 2000 Hz.
    unsigned ReportRateHz();
};

}  // namespace sim
