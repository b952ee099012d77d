#include "lighting/panel/ColourChannelText.h"

namespace lightpanel {

std::uint8_t ColourChannelFromText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Saturates instead of overflowing on long digit runs.
    unsigned value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 255) {
            value = 256;
        }
    }
    if (!digits || negative) {
        return 0;
    }
    return static_cast<std::uint8_t>(value > 255 ? 255 : value);
}

}  // namespace lightpanel
