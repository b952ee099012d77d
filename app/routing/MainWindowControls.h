#pragma once

#include <QString>
#include <span>

#include "ui/ControlFactory.h"

class QWidget;

// The main window's custom control factory: the element names its layouts may use beyond the
// UI layer's own, and the elements replaced by whole layout files.
namespace routing {

// The element names CreateControl answers, in table order.
std::span<const char* const> MainWindowElementNames();

// Creates the control of a main-window element. The custom controls come from the appearance
// table; device pages and panels from pageClasses (element -> creator, supplied by the
// application as those classes exist). Any other element name, or an element whose class is not
// supplied yet, yields null.
QWidget* CreateMainWindowControl(const QString& element, QWidget* parent,
                                 ui::ControlTable pageClasses);

}  // namespace routing
