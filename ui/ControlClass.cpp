#include "ui/ControlClass.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVariant>

namespace ui {

void SetControlClass(QObject* control, const QString& className) {
    if (control != nullptr) {
        control->setProperty(kClassProperty, className);
    }
}

QString ControlClass(const QObject* control) {
    if (control == nullptr) {
        return {};
    }
    const QVariant value = control->property(kClassProperty);
    if (value.isValid()) {
        return value.toString();
    }
    // Most derived first: a QCheckBox is also a button.
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        return QStringLiteral("OptionUI");
    }
    if (auto* button = qobject_cast<const QPushButton*>(control)) {
        return button->isCheckable() ? QStringLiteral("OptionUI") : QStringLiteral("Button");
    }
    if (qobject_cast<const QLabel*>(control)) {
        return QStringLiteral("Label");
    }
    if (qobject_cast<const QLineEdit*>(control)) {
        return QStringLiteral("Edit");
    }
    if (qobject_cast<const QTextEdit*>(control)) {
        return QStringLiteral("RichEdit");
    }
    if (qobject_cast<const QComboBox*>(control)) {
        return QStringLiteral("Combo");
    }
    if (qobject_cast<const QAbstractSlider*>(control)) {
        return QStringLiteral("Slider");
    }
    if (qobject_cast<const QProgressBar*>(control)) {
        return QStringLiteral("Progress");
    }
    if (qobject_cast<const QStackedWidget*>(control)) {
        return QStringLiteral("TabLayout");
    }
    if (qobject_cast<const QAbstractItemView*>(control)) {
        return QStringLiteral("List");
    }
    if (qobject_cast<const QScrollArea*>(control)) {
        return QStringLiteral("Container");
    }
    if (control->isWidgetType()) {
        return QStringLiteral("Container");
    }
    return {};
}

}  // namespace ui
