#pragma once

#include <cstddef>
#include <cstdint>

namespace macros {

// Macro numbers are one byte on the device and keys refer to them: the list stops at 50.
inline constexpr std::size_t kMaxMacros = 50;
// Recording stops adding rows here; inserting from the action menu is not capped.
inline constexpr std::size_t kMaxRecordedEvents = 2000;
// A delay travels as a 16-bit value in the device event record.
inline constexpr std::int64_t kMaxDelay = 65535;
// Files written by the macro panel carry this "Version".
inline constexpr int kMacroFileVersion = 64;

}  // namespace macros
