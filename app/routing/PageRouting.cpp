#include "app/routing/PageRouting.h"

#include "app/discovery/DeviceSwitcher.h"
#include "app/routing/PanelRouting.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "profiles/panel/DeviceProfileUI.h"

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

// The page's profile panel: its buttons, the function tabs and the profile switch.
class CPageDevice::ProfileHandler : public ControlHandler {
public:
    explicit ProfileHandler(CPageDevice& device) : device_(device) {}

    void OnControl(const RoutedEvent& event) override {
        profilepanel::CDeviceProfileUI* panel =
            device_.Page() != nullptr ? device_.Page()->ProfilePanel() : nullptr;
        if (panel == nullptr) {
            return;
        }
        switch (event.op) {
            case Op::Control:
                panel->OnControl(QString::fromUtf8(event.name.data(),
                                                   static_cast<qsizetype>(event.name.size())));
                break;
            case Op::FunctionPage:
                panel->SelectTab(event.argument);
                break;
            case Op::ProfileSwitch:
                panel->SwitchToSelectedProfile();
                break;
            default:
                break;
        }
    }

private:
    CPageDevice& device_;
};

CPageDevice::CPageDevice()
    : handler_(std::make_unique<PageHandler>(*this)),
      profileHandler_(std::make_unique<ProfileHandler>(*this)),
      keySetHandler_(MakeKeySetPanelHandler(*this)),
      lightHandler_(MakeLightPanelHandler(*this)),
      macroHandler_(MakeMacroPanelHandler(*this)),
      shootHandler_(MakeShootPanelHandler(*this)) {}

CPageDevice::~CPageDevice() = default;

int CPageDevice::DeviceKind() const {
    return page_ != nullptr ? page_->GetDeviceKind() : 0;
}

int CPageDevice::LedCount() const {
    return page_ != nullptr ? page_->GetLedCount() : 0;
}

ControlHandler* CPageDevice::Handler(Target target) {
    if (page_ == nullptr) {
        return nullptr;
    }
    if (target == Target::Device) {
        return handler_.get();
    }
    switch (target) {
        case Target::ProfilePanel:
            return page_->ProfilePanel() != nullptr ? profileHandler_.get() : nullptr;
        case Target::KeySetPanel:
            return page_->KeySetPanel() != nullptr ? keySetHandler_.get() : nullptr;
        case Target::LightPanel:
            return page_->LightPanel() != nullptr ? lightHandler_.get() : nullptr;
        case Target::MacroPanel:
            return page_->MacroPanel() != nullptr ? macroHandler_.get() : nullptr;
        case Target::ShootPanel:
            return page_->ShootPanel() != nullptr ? shootHandler_.get() : nullptr;
        default:
            return nullptr;
    }
}

CZelvaneUSBDevice* CurrentPage(const discovery::CDeviceSwitcher& switcher) {
    discovery::IDevicePage* current = switcher.CurrentDevice();
    return current != nullptr ? qobject_cast<CZelvaneUSBDevice*>(current->Widget()) : nullptr;
}

}  // namespace routing
