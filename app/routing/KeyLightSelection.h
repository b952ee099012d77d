#pragma once

#include <span>
#include <string_view>

// The end of a drag selection over the mouse page's key buttons: whether it selected every LED,
// which is when the device reloads its profile document.
namespace routing {

struct KeyButtonState {
    std::string_view name;
    std::string_view userData;
    bool selected = false;
    bool hidden = false;
};

// For every button, its name and then its user data are each split at the last "_"; a "light_"
// prefix (any case) with a number below ledCount names an LED, whose flag is 1 when the button is
// selected or hidden. True only when at least one such button is selected and every flag is 1.
bool KeyLightSelectsAllLeds(std::span<const KeyButtonState> buttons, int ledCount);

}  // namespace routing
