#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "devices/core/MouseRecords.h"
#include "profiles/ProfileRecords.h"

// Where the mouse's buttons sit in its key table and how assignments go into it.
namespace devices {

// The code each UI button has in the factory key table; it finds the button's slot.
inline constexpr std::array<KeyCode, kMouseButtonCount> kDefaultButtonCodes = {
    KeyCode{0x10, 0x01, 0x00}, KeyCode{0x10, 0x02, 0x00}, KeyCode{0x10, 0x04, 0x00},
    KeyCode{0x10, 0x10, 0x00}, KeyCode{0x10, 0x08, 0x00}, KeyCode{0x13, 0x01, 0x00},
    KeyCode{0x13, 0x02, 0x00}, KeyCode{0x13, 0x03, 0x00}, KeyCode{0xA0, 0x1B, 0x00},
    KeyCode{0x16, 0x90, 0x01}};

inline constexpr std::uint8_t kButtonNotPresent = 126;
using ButtonMap = std::array<std::uint8_t, kMouseButtonCount>;

// For each button the first of the `slots` slots holding its default code, else 126.
ButtonMap BuildButtonMap(std::span<const std::uint8_t> keyTable, std::size_t slots);

// Puts the assignment of keys[j] into the slot of each present button j; buttons without a
// slot or without a key-list entry are left as they are.
void ApplyKeysToTable(std::span<std::uint8_t> table, const ButtonMap& map,
                      const std::vector<KeyListEntry>& keys);

}  // namespace devices
