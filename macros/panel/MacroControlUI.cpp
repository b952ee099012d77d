#include "macros/panel/MacroControlUI.h"

#include "devices/page/PanelPage.h"
#include "ui/ControlClass.h"

namespace macropanel {

CMacroControlUI::CMacroControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("MacroControlUI"));
}

CMacroControlUI::~CMacroControlUI() = default;

void CMacroControlUI::Attach(IPanelPage* page) {
    page_ = page;
    Refresh();
}

void CMacroControlUI::Refresh() {}

}  // namespace macropanel
