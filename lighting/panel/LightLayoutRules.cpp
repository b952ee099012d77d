#include "lighting/panel/LightLayoutRules.h"

#include "lighting/LightModel.h"

namespace lightpanel {
namespace {

// multicolour, colour choice, number edits, brightness, speed, direction, same mode
constexpr LightLayout Row(bool mc, bool colour, bool edits, bool bright, bool speed, bool fx,
                          bool same) {
    LightLayout l;
    l.multiColour = mc;
    l.colourChoice = colour;
    l.numberEdits = edits;
    l.brightness = bright;
    l.speed = speed;
    l.direction = fx;
    l.sameMode = same;
    return l;
}

constexpr bool on = true;
constexpr bool off = false;

LightLayout KeyboardLayout(int effect) {
    switch (effect) {
        case 1:
        case 2:
        case 3:
        case 27:
            return Row(on, on, on, on, on, on, off);
        case 4:
            return Row(off, off, off, on, on, off, on);
        case 5:
        case 26:
            return Row(on, on, on, on, on, off, on);
        case 6:
            return Row(on, on, on, on, off, off, on);
        case 7:
        case 8:
        case 9:
        case 10:
        case 13:
        case 14:
        case 15:
        case 21:
            return Row(on, on, on, on, on, off, off);
        case 11:
            return Row(off, off, off, on, on, off, off);
        case 12:
        case 18:
            return Row(off, off, off, on, on, on, off);
        case 16:
            return Row(on, on, on, on, off, off, off);
        case lighting::kKeyboardExtraModeEffect: {
            LightLayout l = Row(off, off, off, on, off, off, off);
            l.speedShown = false;
            l.extraModeList = true;
            return l;
        }
        case lighting::kKeyboardCustomColourEffect: {
            LightLayout l = Row(off, on, on, on, off, off, off);
            l.speedShown = false;
            l.directionShown = false;
            l.customColours = true;
            return l;
        }
        case 22:
        case 23:
            return Row(off, off, on, on, on, off, off);
        case 24:
            return Row(off, off, on, off, off, off, on);
        default:  // 0, 19, 25 and 28 on: user lights
            // A negative effect (nothing chosen) leaves nothing to edit.
            return Row(off, off, effect >= 0, off, off, off, off);
    }
}

// The number edits of the other kinds belong to the colour choice: an effect without a colour
// does not take one typed in either.
LightLayout MouseLayout(int effect) {
    switch (effect) {
        case 0:
        case 5:
            return Row(on, on, on, on, on, on, off);
        case 1:
            return Row(off, off, off, on, on, off, on);
        case 2:
            return Row(on, on, on, on, on, on, on);
        case 3:
            return Row(off, on, on, on, off, off, on);
        case 4:
            return Row(on, on, on, on, on, off, on);
        case 6:
        case 7:
            return Row(off, off, off, on, on, off, off);
        case 8:
            return Row(off, off, off, off, off, off, on);
        default:  // 9 on: user lights
            return Row(off, off, off, off, off, off, off);
    }
}

LightLayout PadAndHeadsetLayout(int effect) {
    switch (effect) {
        case 0:
            return Row(on, on, on, on, on, on, off);
        case 1:
            return Row(off, off, off, on, on, off, on);
        case 2:
        case 4:
            return Row(on, on, on, on, on, off, on);
        case 3:
            return Row(off, on, on, on, off, off, on);
        case 8:
            return Row(off, off, off, off, off, off, on);
        default:  // 5, 6, 7 and 9 on
            return Row(off, off, off, off, off, off, off);
    }
}

}  // namespace

std::optional<LightLayout> LayoutForEffect(int deviceKind, int effect) {
    switch (deviceKind) {
        case lighting::kKindKeyboard:
            return KeyboardLayout(effect);
        case lighting::kKindMouse:
            return MouseLayout(effect);
        case lighting::kKindMousePad:
        case lighting::kKindHeadset:
            return PadAndHeadsetLayout(effect);
        default:
            return std::nullopt;
    }
}

}  // namespace lightpanel
