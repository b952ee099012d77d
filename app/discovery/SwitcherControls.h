#pragma once

#include "app/routing/RoutingInterfaces.h"

namespace discovery {

class CDeviceSwitcher;

// The routed control events of device switching: "device_select_prev", "device_select_next",
// "device_select" / "synchro_device_select" changed, and "deng_same_mode".
class CSwitcherControls : public routing::ControlHandler {
public:
    explicit CSwitcherControls(CDeviceSwitcher& switcher) : switcher_(switcher) {}
    void OnControl(const routing::RoutedEvent& event) override;

private:
    CDeviceSwitcher& switcher_;
};

}  // namespace discovery
