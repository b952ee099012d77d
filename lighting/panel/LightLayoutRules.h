#pragma once

#include <optional>

// Which parts of the light panel an effect uses, per device kind. Only the parameters an effect
// reads can be changed; the rest is disabled (or hidden where the keyboard needs the room).
namespace lightpanel {

struct LightLayout {
    bool multiColour = false;   // "deng_7color_check"
    bool colourChoice = false;  // "deng_color_layout" and "colorpallet_layout"
    bool numberEdits = false;   // "deng_rgb_layout"
    bool brightness = false;    // "deng_light_layout"
    bool speed = false;         // "deng_speed_layout"
    bool direction = false;     // "deng_fx_layout"
    bool speedShown = true;
    bool directionShown = true;
    bool sameMode = false;       // the effect can be carried to the other devices
    bool extraModeList = false;  // keyboard: "light_combo_ZZCCmodeSelectLayout"
    bool customColours = false;  // keyboard: "lightcustom_layout" and its group list
    bool operator==(const LightLayout&) const = default;
};

// The layout of an effect (negative: no effect chosen, nothing to edit); none for a kind code
// the panel does not know (the panel then changes nothing).
std::optional<LightLayout> LayoutForEffect(int deviceKind, int effect);

}  // namespace lightpanel
