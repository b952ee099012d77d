#pragma once

#include <memory>

#include "app/routing/RoutingInterfaces.h"

namespace routing {

class CPageDevice;

// The routed events of each panel of the current page, turned into the panel's calls. Each
// handler finds its panel through the device's current page at every event (null: nothing).
std::unique_ptr<ControlHandler> MakeKeySetPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeLightPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeMacroPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeShootPanelHandler(CPageDevice& device);

}  // namespace routing
