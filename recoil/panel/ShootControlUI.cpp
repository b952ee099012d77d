#include "recoil/panel/ShootControlUI.h"

#include "devices/page/PanelPage.h"
#include "ui/ControlClass.h"

namespace shootpanel {

CShootControlUI::CShootControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("ShootControlUI"));
}

CShootControlUI::~CShootControlUI() = default;

void CShootControlUI::Attach(IPanelPage* page) {
    page_ = page;
    Refresh();
}

void CShootControlUI::Refresh() {}

}  // namespace shootpanel
