#pragma once

#include "ui/ControlFactory.h"

namespace appearance {

// The program's own controls for the layout loader: the factory names in registration order
// ("CCircleProgressUI", ...), then the short element names the main window's CreateControl
// callback maps to them ("CircleProgress", ...).
ui::ControlTable AppearanceControlTable();

}  // namespace appearance
