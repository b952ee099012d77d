#pragma once

#include <optional>
#include <string_view>

// The name rules of the control tables: names compare ignoring (ASCII) case unless an entry is
// marked case-sensitive; an indexed control is a prefix ending in "_" followed by a number.
namespace routing {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

struct IndexedName {
    std::string_view prefix;  // up to and including the last "_"
    int number = 0;
};

// Splits name at its last "_". The number is the decimal value of the rest read like the C
// library's atoi: leading digits with an optional sign, 0 when there are none ("key_" gives 0),
// clamped to the int range instead of overflowing. A name without "_" has no split.
std::optional<IndexedName> SplitIndexedName(std::string_view name);

}  // namespace routing
