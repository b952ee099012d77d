#include "keys/panel/KeySetControlUI.h"

#include "devices/page/PanelPage.h"
#include "ui/ControlClass.h"

namespace keypanel {

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("KeySetControlUI"));
}

CKeySetControlUI::~CKeySetControlUI() = default;

void CKeySetControlUI::Attach(IPanelPage* page) {
    page_ = page;
    Refresh();
}

void CKeySetControlUI::Refresh() {}

void CKeySetControlUI::ShowKey(int index) {
    (void)index;
}

}  // namespace keypanel
