#include "lighting/KeyboardColours.h"

#include "lighting/LightModel.h"

namespace lighting {

std::vector<CustomLightColor> FillAllKeyColours(std::vector<CustomLightColor> colours, bool on,
                                                std::uint8_t red, std::uint8_t green,
                                                std::uint8_t blue) {
    colours.resize(kKeyboardLedCount);
    for (CustomLightColor& colour : colours) {
        colour.red = on ? red : 0;
        colour.green = on ? green : 0;
        colour.blue = on ? blue : 0;
    }
    return colours;
}

}  // namespace lighting
