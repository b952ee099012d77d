#include "app/routing/PageRouting.h"
#include "app/routing/PanelRouting.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "macros/panel/MacroControlUI.h"

namespace routing {
namespace {

class Handler : public ControlHandler {
public:
    explicit Handler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        macropanel::CMacroControlUI* panel =
            device_.Page() != nullptr ? device_.Page()->MacroPanel() : nullptr;
        if (panel == nullptr) {
            return;
        }
        (void)event;
    }

private:
    CPageDevice& device_;
};

}  // namespace

std::unique_ptr<ControlHandler> MakeMacroPanelHandler(CPageDevice& device) {
    return std::make_unique<Handler>(device);
}

}  // namespace routing
