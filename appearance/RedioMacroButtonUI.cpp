#include "appearance/RedioMacroButtonUI.h"

#include "ui/ControlClass.h"

namespace appearance {

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent) : ui::PictureButton(parent) {
    ui::SetControlClass(this, QStringLiteral("RedioMacroButton"));
}

}  // namespace appearance
