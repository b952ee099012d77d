#include "devices/core/MouseKeyTable.h"

#include <algorithm>

namespace devices {

ButtonMap BuildButtonMap(std::span<const std::uint8_t> keyTable, std::size_t slots) {
    ButtonMap map;
    map.fill(kButtonNotPresent);
    slots = std::min(slots, keyTable.size() / 3);
    for (std::size_t j = 0; j < kDefaultButtonCodes.size(); ++j) {
        const KeyCode& code = kDefaultButtonCodes[j];
        // Slot numbers from 126 on cannot be told apart from "not present".
        for (std::size_t k = 0; k < slots && k < kButtonNotPresent; ++k) {
            if (std::equal(code.begin(), code.end(), keyTable.begin() + 3 * k)) {
                map[j] = static_cast<std::uint8_t>(k);
                break;
            }
        }
    }
    return map;
}

void ApplyKeysToTable(std::span<std::uint8_t> table, const ButtonMap& map,
                      const std::vector<KeyListEntry>& keys) {
    for (std::size_t j = 0; j < map.size() && j < keys.size(); ++j) {
        const std::size_t slot = map[j];
        if (slot == kButtonNotPresent || 3 * slot + 3 > table.size()) {
            continue;
        }
        std::copy(keys[j].assignment.begin(), keys[j].assignment.end(), table.begin() + 3 * slot);
    }
}

}  // namespace devices
