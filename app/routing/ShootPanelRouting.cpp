#include "app/routing/PageRouting.h"
#include "app/routing/PanelRouting.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "recoil/panel/ShootControlUI.h"

namespace routing {
namespace {

class Handler : public ControlHandler {
public:
    explicit Handler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        shootpanel::CShootControlUI* panel =
            device_.Page() != nullptr ? device_.Page()->ShootPanel() : nullptr;
        if (panel == nullptr) {
            return;
        }
        (void)event;
    }

private:
    CPageDevice& device_;
};

}  // namespace

std::unique_ptr<ControlHandler> MakeShootPanelHandler(CPageDevice& device) {
    return std::make_unique<Handler>(device);
}

}  // namespace routing
