#include "app/routing/MainWindowControls.h"

#include <QVariant>
#include <QWidget>
#include <array>

#include "appearance/AppearanceControls.h"
#include "ui/ControlClass.h"

namespace routing {

namespace {

constexpr std::array<const char*, 17> kElements{
    "CircleProgress",
    "SelectPanel",
    "DeviceKeyButton",
    "HandImgButton",
    "HandImgSelectButton",
    "RedioMacroButton",
    "ComboEditContainerElement",
    "ZelvaneMousePadDevice",
    "ZelvaneHS6533Device",
    "ZelvaneMouseDevice",
    "ZelvaneKeyboardDevice",
    "DeviceProfile",
    "LightControl",
    "MagicControl",
    "Voice6533Control",
    "KeySetControl",
    "ShootControl",
};

QWidget* CreateFrom(ui::ControlTable table, const QString& element, QWidget* parent) {
    for (const ui::ControlFactoryEntry& entry : table) {
        if (element == QLatin1String(entry.element) && entry.create != nullptr) {
            QWidget* control = entry.create(parent);
            // Controls that name their class themselves keep it.
            if (control != nullptr && !control->property(ui::kClassProperty).isValid()) {
                ui::SetControlClass(control, QLatin1String(entry.className));
            }
            return control;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const char* const> MainWindowElementNames() {
    return kElements;
}

QWidget* CreateMainWindowControl(const QString& element, QWidget* parent,
                                 ui::ControlTable pageClasses) {
    bool known = false;
    for (const char* name : kElements) {
        known = known || element == QLatin1String(name);
    }
    if (!known) {
        return nullptr;
    }
    if (QWidget* control = CreateFrom(appearance::AppearanceControlTable(), element, parent)) {
        return control;
    }
    return CreateFrom(pageClasses, element, parent);
}

}  // namespace routing
