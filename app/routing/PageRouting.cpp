#include "app/routing/PageRouting.h"

#include "app/discovery/DeviceSwitcher.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "devices/page/ZelvaneUSBDevice.h"

namespace routing {

class CPageDevice::PageHandler : public ControlHandler {
public:
    explicit PageHandler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        CZelvaneUSBDevice* page = device_.Page();
        if (page == nullptr) {
            return;
        }
        switch (event.op) {
            case Op::Control:
                if (event.name == "key_") {
                    page->SelectKey(event.number);
                } else if (auto* mouse = qobject_cast<CZelvaneMouseDevice*>(page);
                           mouse != nullptr && event.notification != nullptr) {
                    mouse->HandleNotification(*event.notification);
                }
                break;
            case Op::FunctionPage:
                page->SetFunctionMode(event.argument);
                break;
            case Op::LoadDefaults:
                page->LoadDefaultProfileState();
                page->WriteKeys(0);
                page->WriteSettings();
                break;
            case Op::KeyLightProfile:
                page->LoadProfileState();
                page->RefreshControls();
                page->WriteSettings();
                page->ApplyProfileState();
                break;
            default:
                break;
        }
    }

private:
    CPageDevice& device_;
};

CPageDevice::CPageDevice() : handler_(std::make_unique<PageHandler>(*this)) {}

CPageDevice::~CPageDevice() = default;

int CPageDevice::DeviceKind() const {
    return page_ != nullptr ? page_->GetDeviceKind() : 0;
}

int CPageDevice::LedCount() const {
    return page_ != nullptr ? page_->GetLedCount() : 0;
}

ControlHandler* CPageDevice::Handler(Target target) {
    return target == Target::Device && page_ != nullptr ? handler_.get() : nullptr;
}

CZelvaneUSBDevice* CurrentPage(const discovery::CDeviceSwitcher& switcher) {
    discovery::IDevicePage* current = switcher.CurrentDevice();
    return current != nullptr ? qobject_cast<CZelvaneUSBDevice*>(current->Widget()) : nullptr;
}

}  // namespace routing
