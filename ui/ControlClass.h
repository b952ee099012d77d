#pragma once

#include <QString>

class QObject;

namespace ui {

// The element class name a control reports ("SelectPanel", "DeviceKeyButton", "OptionUI",
// "Button", ...), which binding loops compare against. It is a dynamic property so that plain Qt
// widgets made by the loader and our own controls answer the same query.
inline constexpr char kClassProperty[] = "zorvathClass";

// Sets the reported class name. Custom controls call this in their constructors; the loader sets
// it for every widget it creates from its factory tables.
void SetControlClass(QObject* control, const QString& className);

// The reported class name: the property when set, otherwise the element name of the nearest
// known Qt base class (QPushButton -> "Button", QSlider -> "Slider", ...), otherwise empty.
// Null gives empty.
QString ControlClass(const QObject* control);

}  // namespace ui
