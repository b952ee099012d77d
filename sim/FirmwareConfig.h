#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// What one emulated device keeps in memory when it is plugged in. Every device kind fills one
// of these (see MouseFirmware.h); tests change single fields before building the firmware.
struct FirmwareConfig {
    std::array<std::uint8_t, 34> deviceInfo{};
    std::vector<std::uint8_t> keyTable;  // three bytes per key slot
    std::vector<std::uint8_t> keyBytes;  // one byte per key (command 27)
    std::size_t keyColourBytes = 0;      // per-key colours (commands 11 and 18)
    std::size_t settingsSlotSize = 128;  // one slot per profile
    std::size_t settingsSlotCount = 1;
    std::vector<std::uint8_t> settings;  // initial contents; padded to slot size × count
    std::size_t macroCapacity = 0;       // bytes accepted by command 21
    std::size_t shootCapacity = 0;       // bytes accepted by command 23
    std::size_t shootImageRecords = 4;   // records a shoot image must carry
    std::array<std::uint8_t, 6> status{};
    bool receiverLinkUp = true;       // what command 0xAA answers
    std::uint32_t latencyMicros = 0;  // time from a request to its reply, as over USB
};

}  // namespace sim
