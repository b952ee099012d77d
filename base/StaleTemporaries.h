#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace files {

// How old a temporary file of WriteFileAtomically must be before it counts as left behind by
// a crash: a write in progress never takes that long between creating and renaming it.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};

// True for the names WriteFileAtomically gives its temporary files: a file name followed by
// ".tmp-" and six letters or digits.
bool IsTemporaryFileName(std::string_view name);

// Removes the temporary files of WriteFileAtomically in folder (not below it) that are regular
// files last changed at least kStaleTemporaryAge before now. Anything else is left alone.
// Returns how many were removed; a missing folder removes nothing.
std::size_t RemoveStaleTemporaries(const std::string& folder,
                                   std::chrono::system_clock::time_point now);

}  // namespace files
