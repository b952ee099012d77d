#include "lighting/panel/LightControlUI.h"

#include "devices/page/PanelPage.h"
#include "ui/ControlClass.h"

namespace lightpanel {

CLightControlUI::CLightControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("LightControlUI"));
}

CLightControlUI::~CLightControlUI() = default;

void CLightControlUI::Attach(IPanelPage* page) {
    page_ = page;
    Refresh();
}

void CLightControlUI::Refresh() {}

}  // namespace lightpanel
