#pragma once

#include <string_view>

namespace names {

// Case-insensitive equality of two UTF-8 names: ASCII, Latin-1, Greek and Cyrillic letters fold
// to lower case; anything else compares exactly. Invalid UTF-8 compares byte by byte.
bool NamesEqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace names
