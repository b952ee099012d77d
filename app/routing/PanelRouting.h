#pragma once

#include <memory>

#include "app/routing/PageRouting.h"
#include "app/routing/RoutingInterfaces.h"
#include "devices/page/ZelvaneUSBDevice.h"

namespace routing {

// Finds the panel on the device's current page at every event (the page changes with the
// current device) and hands the event to the panel's route function.
template <class Panel>
class PanelHandler : public ControlHandler {
public:
    using Finder = Panel* (CZelvaneUSBDevice::*)() const;
    using RouteFunction = void (*)(Panel* panel, const RoutedEvent& event);

    PanelHandler(CPageDevice& device, Finder find, RouteFunction route)
        : device_(device), find_(find), route_(route) {}

    void OnControl(const RoutedEvent& event) override {
        CZelvaneUSBDevice* page = device_.Page();
        if (Panel* panel = page != nullptr ? (page->*find_)() : nullptr; panel != nullptr) {
            route_(panel, event);
        }
    }

private:
    CPageDevice& device_;
    Finder find_;
    RouteFunction route_;
};

// The routed events of each panel of the current page, turned into the panel's calls. Each
// handler finds its panel through the device's current page at every event (null: nothing).
std::unique_ptr<ControlHandler> MakeKeySetPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeLightPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeMacroPanelHandler(CPageDevice& device);
std::unique_ptr<ControlHandler> MakeShootPanelHandler(CPageDevice& device);

}  // namespace routing
