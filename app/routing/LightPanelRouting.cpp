#include <string_view>

#include "app/routing/PanelRouting.h"
#include "lighting/panel/LightControlUI.h"

namespace routing {
namespace {

void Route(lightpanel::CLightControlUI* panel, const RoutedEvent& event) {
    if (event.op != Op::Control) {
        return;
    }
    // Another device's panel, shown again in the background (light synchronisation
    // refreshes every page), must not act on the current device.
    if (event.notification != nullptr && event.notification->sender != nullptr &&
        !panel->isAncestorOf(event.notification->sender)) {
        return;
    }
    const std::string_view name = event.name;
    if (name == "light_combo_modeSelect") {
        panel->OnEffectSelected();
    } else if (name == "deng_light_slider") {
        panel->OnBrightnessChanged();
    } else if (name == "deng_speed_slider") {
        panel->OnSpeedChanged();
    } else if (name == "deng_FXL_check" || name == "deng_FXR_check") {
        panel->OnDirectionChosen(event.argument);
    } else if (name == "deng_7color_check") {
        panel->OnMultiColourChanged();
    } else if (name == "deng_Color_Pallet") {
        panel->OnPaletteColourChanged();
    } else if (name == "color_option_") {
        panel->OnPresetColour(event.number);
    } else if (name == "deng_edit_R") {
        panel->OnColourEdited(lightpanel::Channel::Red);
    } else if (name == "deng_edit_G") {
        panel->OnColourEdited(lightpanel::Channel::Green);
    } else if (name == "deng_edit_B") {
        panel->OnColourEdited(lightpanel::Channel::Blue);
    } else if (name == "light_combo_ZZCCmodeSelect") {
        panel->OnExtraModeSelected();
    }
    // The custom colour groups and the fill buttons act on a keyboard device, which this
    // build does not have.
}

}  // namespace

std::unique_ptr<ControlHandler> MakeLightPanelHandler(CPageDevice& device) {
    return std::make_unique<PanelHandler<lightpanel::CLightControlUI>>(
        device, &CZelvaneUSBDevice::LightPanel, &Route);
}

}  // namespace routing
