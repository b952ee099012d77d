#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace macros {

// Case-insensitive equality of two UTF-8 names: ASCII, Latin-1, Greek and Cyrillic letters fold
// to lower case; anything else compares exactly. Invalid UTF-8 compares byte by byte.
bool NamesEqualIgnoringCase(std::string_view a, std::string_view b);

bool ContainsNameIgnoringCase(const std::vector<std::string>& names, std::string_view name);

// "macro_%d" with the smallest n >= 1 that no name equals, ignoring case.
std::string NextFreeMacroName(const std::vector<std::string>& names);

// What a key bound to macro number `bound` is bound to after macro `deleted` was removed:
// the same number below it, one less above it, none (back to the key's default) when it was
// the deleted macro.
std::optional<int> MacroNumberAfterDelete(int bound, int deleted);

}  // namespace macros
