#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "keys/KeyRow.h"

// Finding catalogue rows. Every lookup answers "not found" (nullptr or nullopt) for input it does
// not know, never an arbitrary row.
namespace keys {

// The plain-key row (rows 0 to 112) that a key pressed on the computer keyboard identifies.
const KeyRow* FindKeyboardRowByScanCode(std::uint8_t scanCode, bool extended);

// The plain-key row (code (0x20, 0, usage)) of a HID keyboard usage; usage 0 has no row.
const KeyRow* FindKeyboardRowByUsage(std::uint8_t usage);

// The modifier row of exactly one modifier bit (0x01 left Ctrl ... 0x80 right Win).
const KeyRow* FindModifierRowByBit(std::uint8_t bit);

// The last keyboard-table row with exactly this code.
const KeyRow* FindKeyboardRowByCode(KeyCode code);

// Position of a row pointer inside the keyboard table, or nullopt for any other pointer.
std::optional<std::size_t> KeyboardRowIndex(const KeyRow* row);

// Position of the first row of table with exactly this code.
std::optional<std::size_t> FindRowIndex(std::span<const KeyRow> table, KeyCode code);

// The row at a list position; nullptr for a negative or stale position.
const KeyRow* RowAt(std::span<const KeyRow> table, std::ptrdiff_t position);

}  // namespace keys
