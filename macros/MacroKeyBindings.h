#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "profiles/ProfileRecords.h"

// Keys bound to macros: a key code (0x70, macro number, run mode) or (0x71, macro number, repeat
// count). Macro numbers are list positions, so deleting a macro moves the keys bound above it.
namespace macros {

inline constexpr std::uint8_t kKeyTypeMacro = 0x70;
inline constexpr std::uint8_t kKeyTypeMacroRepeat = 0x71;

// The macro number a key code runs; none for other functions.
std::optional<int> BoundMacroNumber(const KeyCode& code);

bool AnyKeyUsesMacro(const std::vector<KeyListEntry>& keys, int macro);

// After deleting macro `deleted`: keys bound to it get their default function back, keys bound
// to a higher number move down by one. True when an entry changed.
bool RebindKeysAfterMacroDelete(std::vector<KeyListEntry>& keys, int deleted);

// Keys bound to a macro number the list does not hold (>= macroCount) get their default
// function back. The macro number is the second code byte; the third is the run mode or repeat
// count and says nothing about which macro runs. True when an entry changed.
bool ResetKeysWithMissingMacros(std::vector<KeyListEntry>& keys, std::size_t macroCount);

}  // namespace macros
