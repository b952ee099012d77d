#pragma once

#include <QPointer>

#include "devices/page/PanelPage.h"
#include "devices/page/ZelvaneUSBDevice.h"
#include "keys/panel/KeySetControlUI.h"
#include "lighting/panel/LightControlUI.h"
#include "macros/panel/MacroControlUI.h"
#include "recoil/panel/ShootControlUI.h"

// The page's panels as its layout built them (they are children of the page).
struct CZelvaneUSBDevice::Panels {
    QPointer<keypanel::CKeySetControlUI> keySet;
    QPointer<lightpanel::CLightControlUI> light;
    QPointer<macropanel::CMacroControlUI> macro;
    QPointer<shootpanel::CShootControlUI> shoot;
};

// The page as its panels see it.
class CZelvaneUSBDevice::PanelPage : public IPanelPage {
public:
    explicit PanelPage(CZelvaneUSBDevice& page) : page_(page) {}

    devices::CUsbDeviceCore& Core() override { return page_.Core(); }
    QWidget* PageWidget() override { return &page_; }
    QWidget* MainWindow() override { return page_.GetMainWindow(); }
    void RefreshControls() override { page_.RefreshControls(); }
    int WriteSettings() override { return page_.WriteSettings(); }
    void SendMacros() override;
    void RefreshNameLists() override;
    void SetRecordingLock(bool on) override;
    keypanel::CKeySetControlUI* KeySetPanel() override { return page_.KeySetPanel(); }
    lightpanel::CLightControlUI* LightPanel() override { return page_.LightPanel(); }
    macropanel::CMacroControlUI* MacroPanel() override { return page_.MacroPanel(); }
    shootpanel::CShootControlUI* ShootPanel() override { return page_.ShootPanel(); }

private:
    CZelvaneUSBDevice& page_;
};
