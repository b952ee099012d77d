#include "app/routing/KeyLightSelection.h"

#include <vector>

#include "app/routing/RouteNames.h"

namespace routing {

bool KeyLightSelectsAllLeds(std::span<const KeyButtonState> buttons, int ledCount) {
    if (ledCount <= 0) {
        return false;  // no LED can be named, so no button counts as selected
    }
    std::vector<char> flags(static_cast<std::size_t>(ledCount), 0);
    bool anySelected = false;
    for (const KeyButtonState& button : buttons) {
        for (std::string_view text : {button.name, button.userData}) {
            const auto indexed = SplitIndexedName(text);
            if (!indexed || !EqualsIgnoringCase(indexed->prefix, "light_") || indexed->number < 0 ||
                indexed->number >= ledCount) {
                continue;
            }
            flags[static_cast<std::size_t>(indexed->number)] =
                (button.selected || button.hidden) ? 1 : 0;
            anySelected = anySelected || button.selected;
        }
    }
    if (!anySelected) {
        return false;
    }
    for (char flag : flags) {
        if (flag == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace routing
