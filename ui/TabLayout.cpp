#include "ui/TabLayout.h"

#include "ui/ControlClass.h"

namespace ui {

TabLayout::TabLayout(QWidget* parent) : QStackedWidget(parent) {
    SetControlClass(this, QStringLiteral("TabLayout"));
}

bool TabLayout::SelectItem(int index) {
    if (index < 0 || index >= count()) {
        return false;
    }
    setCurrentIndex(index);
    return true;
}

}  // namespace ui
