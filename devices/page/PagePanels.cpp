#include "devices/page/PagePanels.h"

#include "devices/core/MouseDeviceCore.h"
#include "ui/ControlLookup.h"
#include "ui/Dialogs.h"

namespace {

template <class Panel>
Panel* FindPanel(QWidget* page, const char* name) {
    return ui::FindControlAs<Panel>(page, QString::fromLatin1(name));
}

void SetEnabled(QWidget* root, const char* name, bool enabled) {
    if (root == nullptr) {
        return;
    }
    if (QWidget* control = ui::FindControl(root, QString::fromLatin1(name)); control != nullptr) {
        control->setEnabled(enabled);
    }
}

}  // namespace

void CZelvaneUSBDevice::AttachPanels() {
    if (!panelPage_) {
        panelPage_ = std::make_unique<PanelPage>(*this);
        panels_ = std::make_unique<Panels>();
    }
    panels_->keySet = FindPanel<keypanel::CKeySetControlUI>(this, "KeySetControlItem");
    panels_->light = FindPanel<lightpanel::CLightControlUI>(this, "LightControlItem");
    panels_->macro = FindPanel<macropanel::CMacroControlUI>(this, "MacroControlItem");
    panels_->shoot = FindPanel<shootpanel::CShootControlUI>(this, "ShootControlItem");
    if (panels_->keySet != nullptr) {
        panels_->keySet->Attach(panelPage_.get());
    }
    if (panels_->light != nullptr) {
        panels_->light->Attach(panelPage_.get());
    }
    if (panels_->macro != nullptr) {
        panels_->macro->Attach(panelPage_.get());
    }
    if (panels_->shoot != nullptr) {
        panels_->shoot->Attach(panelPage_.get());
    }
}

void CZelvaneUSBDevice::RefreshPanels() {
    if (!panels_) {
        return;
    }
    if (panels_->keySet != nullptr) {
        panels_->keySet->Refresh();
    }
    if (panels_->light != nullptr) {
        panels_->light->Refresh();
    }
    if (panels_->macro != nullptr) {
        panels_->macro->Refresh();
    }
    if (panels_->shoot != nullptr) {
        panels_->shoot->Refresh();
    }
}

keypanel::CKeySetControlUI* CZelvaneUSBDevice::KeySetPanel() const {
    return panels_ ? panels_->keySet.data() : nullptr;
}

lightpanel::CLightControlUI* CZelvaneUSBDevice::LightPanel() const {
    return panels_ ? panels_->light.data() : nullptr;
}

macropanel::CMacroControlUI* CZelvaneUSBDevice::MacroPanel() const {
    return panels_ ? panels_->macro.data() : nullptr;
}

shootpanel::CShootControlUI* CZelvaneUSBDevice::ShootPanel() const {
    return panels_ ? panels_->shoot.data() : nullptr;
}

void CZelvaneUSBDevice::PanelPage::SendMacros() {
    const int result = page_.DownloadMacros();
    if (result == devices::CMouseDeviceCore::kMacrosFailed) {
        ui::CurrentDialogs().ShowMessage(MainWindow(), QStringLiteral("message_text_7"), 1);
    } else if (result > 0) {
        ui::CurrentDialogs().ShowMessage(MainWindow(), QStringLiteral("message_text_16"), 1,
                                         {QString::number(result)});
    }
}

void CZelvaneUSBDevice::PanelPage::RefreshNameLists() {
    page_.OnKeyInfoChanged();
}

void CZelvaneUSBDevice::PanelPage::SetRecordingLock(bool on) {
    SetEnabled(page_.GetMainWindow(), "device_select_layout", !on);
    SetEnabled(&page_, "device_function_tabs", !on);
}
