#include "app/routing/PageRouting.h"
#include "app/routing/PanelRouting.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "lighting/panel/LightControlUI.h"

namespace routing {
namespace {

class Handler : public ControlHandler {
public:
    explicit Handler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        lightpanel::CLightControlUI* panel =
            device_.Page() != nullptr ? device_.Page()->LightPanel() : nullptr;
        if (panel == nullptr) {
            return;
        }
        (void)event;
    }

private:
    CPageDevice& device_;
};

}  // namespace

std::unique_ptr<ControlHandler> MakeLightPanelHandler(CPageDevice& device) {
    return std::make_unique<Handler>(device);
}

}  // namespace routing
