#pragma once

#include <memory>

#include "app/routing/RoutingInterfaces.h"

class CZelvaneUSBDevice;

namespace discovery {
class CDeviceSwitcher;
}

namespace routing {

// A device page as the router sees it. The page itself handles the Device rows, each of its
// panels the rows of that panel (PanelRouting.h); a page without the panel ignores them.
class CPageDevice : public RoutedDevice {
public:
    CPageDevice();
    ~CPageDevice() override;

    // The page the next calls act on (null: none).
    void SetPage(CZelvaneUSBDevice* page) { page_ = page; }
    CZelvaneUSBDevice* Page() const { return page_; }

    int DeviceKind() const override;
    int LedCount() const override;
    ControlHandler* Handler(Target target) override;

private:
    class PageHandler;
    class ProfileHandler;

    CZelvaneUSBDevice* page_ = nullptr;
    std::unique_ptr<PageHandler> handler_;
    std::unique_ptr<ProfileHandler> profileHandler_;
    std::unique_ptr<ControlHandler> keySetHandler_;
    std::unique_ptr<ControlHandler> lightHandler_;
    std::unique_ptr<ControlHandler> macroHandler_;
    std::unique_ptr<ControlHandler> shootHandler_;
};

// The current device page of the switcher, or null.
CZelvaneUSBDevice* CurrentPage(const discovery::CDeviceSwitcher& switcher);

}  // namespace routing
