#include "sim/MouseFirmware.h"

#include <array>

namespace sim {
namespace {

using Code = std::array<std::uint8_t, 3>;

// Slot order of the hardware: the ten buttons the host looks for, not in the host's button
// order, mixed with codes it does not know (a tilt, a keyboard key, media, unused slots).
constexpr std::array<Code, kMouseKeySlots> kFactoryKeyTable = {{
    {0x10, 0x01, 0x00},  // left
    {0x10, 0x02, 0x00},  // right
    {0x10, 0x04, 0x00},  // middle
    {0x10, 0x08, 0x00},  // back
    {0x10, 0x10, 0x00},  // forward
    {0x13, 0x03, 0x00},  // DPI cycle
    {0x11, 0x25, 0x01},  // tilt left
    {0x13, 0x01, 0x00},  // DPI up
    {0x13, 0x02, 0x00},  // DPI down
    {0x16, 0x90, 0x01},  // DPI shift
    {0x20, 0x00, 0x04},  // keyboard A
    {0xA0, 0x1B, 0x00},  // game mode
    {0x30, 0xE9, 0x00},  // volume up
    {0x00, 0x00, 0x00},
    {0x00, 0x00, 0x00},
    {0x00, 0x00, 0x00},
}};

// One profile's settings: spectrum effect at full brightness, report-rate index 4,
// 400/800/1600/3200 DPI. Brightness and speed are levels 0 to 4 on this mouse.
void FillSettingsSlot(std::uint8_t* slot, std::uint8_t profile) {
    slot[0] = 0;
    slot[1] = 0;     // light effect
    slot[2] = 4;     // brightness
    slot[3] = 2;     // speed
    slot[5] = 1;     // multicolour
    slot[6] = 0xFF;  // red
    slot[14] = 4;    // report-rate index
    const std::uint16_t dpi[4] = {8, 16, 32, 64};
    for (int i = 0; i < 4; ++i) {
        slot[16 + 2 * i] = static_cast<std::uint8_t>(dpi[i] & 0xFF);
        slot[17 + 2 * i] = static_cast<std::uint8_t>(dpi[i] >> 8);
    }
    slot[24] = static_cast<std::uint8_t>(1 + profile % 3);  // active stage
}

}  // namespace

void SetKeySlotCount(FirmwareConfig& config, std::size_t slots) {
    config.deviceInfo[kInfoKeySlots] = static_cast<std::uint8_t>(slots);
    config.keyTable.resize(slots * 3, 0);
    config.keyBytes.resize(slots, 0);
    config.keyColourBytes = slots * 3;
}

FirmwareConfig MouseFirmwareConfig() {
    FirmwareConfig config;
    config.deviceInfo[0] = 0x01;  // firmware version 1.4
    config.deviceInfo[1] = 0x04;
    config.deviceInfo[2] = 0x02;  // device class: mouse
    config.deviceInfo[kInfoMacroUnits] = kMouseMacroUnits;
    config.deviceInfo[7] = static_cast<std::uint8_t>(kMouseProfiles);
    config.deviceInfo[kInfoDpiStep] = kMouseDpiStep;
    config.deviceInfo[kInfoMaxDpiSlider] = kMouseMaxDpiSlider & 0xFF;
    config.deviceInfo[kInfoMaxDpiSlider + 1] = kMouseMaxDpiSlider >> 8;

    SetKeySlotCount(config, kMouseKeySlots);
    for (std::size_t slot = 0; slot < kMouseKeySlots; ++slot) {
        for (std::size_t b = 0; b < 3; ++b) {
            config.keyTable[slot * 3 + b] = kFactoryKeyTable[slot][b];
        }
    }

    config.settingsSlotSize = 128;
    config.settingsSlotCount = kMouseProfiles;
    config.settings.assign(config.settingsSlotSize * config.settingsSlotCount, 0);
    for (std::size_t p = 0; p < kMouseProfiles; ++p) {
        FillSettingsSlot(config.settings.data() + p * config.settingsSlotSize,
                         static_cast<std::uint8_t>(p));
    }
    config.settings[0] = 0;  // current profile

    config.macroCapacity = std::size_t{kMouseMacroUnits} * 128;
    config.shootCapacity = kMouseShootCapacity;
    config.shootImageRecords = 4;
    config.status = {100, 0, 0, 0, 0, 0};  // battery full, not charging, wired
    return config;
}

}  // namespace sim
