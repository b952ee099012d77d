#include "app/routing/PageRouting.h"
#include "app/routing/PanelRouting.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "keys/panel/KeySetControlUI.h"

namespace routing {
namespace {

class Handler : public ControlHandler {
public:
    explicit Handler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        keypanel::CKeySetControlUI* panel =
            device_.Page() != nullptr ? device_.Page()->KeySetPanel() : nullptr;
        if (panel == nullptr) {
            return;
        }
        (void)event;
    }

private:
    CPageDevice& device_;
};

}  // namespace

std::unique_ptr<ControlHandler> MakeKeySetPanelHandler(CPageDevice& device) {
    return std::make_unique<Handler>(device);
}

}  // namespace routing
