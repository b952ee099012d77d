#pragma once

#include <cstdint>
#include <vector>

#include "profiles/ProfileRecords.h"

// The keyboard's per-key colours (effect 20), kept in groups of the profile's "CustomLightMode".
namespace lighting {

// FillAllKeys: every one of the 126 key colours becomes (red, green, blue) when on, black when
// off; alpha stays. A shorter list is extended with alpha 0.
std::vector<CustomLightColor> FillAllKeyColours(std::vector<CustomLightColor> colours, bool on,
                                                std::uint8_t red, std::uint8_t green,
                                                std::uint8_t blue);

}  // namespace lighting
