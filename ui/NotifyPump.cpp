#include "ui/NotifyPump.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "ui/Notification.h"
#include "ui/OptionButton.h"

namespace ui {
namespace {

constexpr char kAttached[] = "zorvathPumpAttached";
constexpr char kWasChecked[] = "zorvathWasChecked";
constexpr char kUserSliderStep[] = "zorvathUserSliderStep";
constexpr char kUserInput[] = "zorvathUserInput";

QString Type(const char* type) {
    return QString::fromLatin1(type);
}

bool IsExclusive(const QAbstractButton* button) {
    if (auto* option = qobject_cast<const OptionButton*>(button)) {
        return !option->Group().isEmpty();
    }
    if (button->group() != nullptr) {
        return button->group()->exclusive();
    }
    return button->autoExclusive();
}

// Watches focus loss of line edits and the user input that precedes a selection change in an
// item view. One instance for the process, owned by the application.
class PumpFilter : public QObject {
public:
    static PumpFilter* Instance() {
        static QPointer<PumpFilter> instance;
        if (instance.isNull()) {
            instance = new PumpFilter(QCoreApplication::instance());
        }
        return instance.data();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::FocusOut:
                // A pop-up (the edit's own context menu, a combo list) takes focus only for a
                // moment; the edit has not been left.
                if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
                    break;
                }
                if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
                    SendNotify(edit, Type(notify::kKillFocus));
                }
                break;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
                MarkUserInput(watched);
                break;
            default:
                break;
        }
        return false;
    }

private:
    using QObject::QObject;

    static void MarkUserInput(QObject* watched) {
        QAbstractItemView* view = qobject_cast<QAbstractItemView*>(watched);
        if (view == nullptr && watched->parent() != nullptr) {
            view = qobject_cast<QAbstractItemView*>(watched->parent());
        }
        if (view == nullptr) {
            return;
        }
        // The flag covers the handling of this one event; it is cleared once control returns
        // to the event loop, so a later change from code is not taken for the user's.
        view->setProperty(kUserInput, true);
        QPointer<QAbstractItemView> guard(view);
        QTimer::singleShot(0, view, [guard] {
            if (guard) {
                guard->setProperty(kUserInput, false);
            }
        });
    }
};

void AttachButton(QAbstractButton* button) {
    QObject::connect(button, &QAbstractButton::pressed, button,
                     [button] { button->setProperty(kWasChecked, button->isChecked()); });
    QObject::connect(button, &QAbstractButton::clicked, button, [button](bool checked) {
        QPointer<QAbstractButton> guard(button);
        const bool wasChecked = button->property(kWasChecked).toBool();
        SendNotify(button, Type(notify::kClick));
        if (guard.isNull() || !button->isCheckable() || checked == wasChecked) {
            return;
        }
        if (IsExclusive(button) && !checked) {
            return;
        }
        SendNotify(button, Type(notify::kSelectChanged));
    });
}

void AttachSlider(QAbstractSlider* slider) {
    // actionTriggered comes after the position moved and before the value follows it, so a
    // value change announced here is the user's (key, wheel, page click).
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [slider](int) {
        slider->setProperty(kUserSliderStep, slider->sliderPosition() != slider->value());
    });
    QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [slider](int) {
        const bool userStep = slider->property(kUserSliderStep).toBool();
        slider->setProperty(kUserSliderStep, false);
        if (slider->isSliderDown()) {
            SendNotify(slider, Type(notify::kMoveValueChanged));
        } else if (userStep) {
            SendNotify(slider, Type(notify::kValueChanged));
        }
    });
    QObject::connect(slider, &QAbstractSlider::sliderReleased, slider,
                     [slider] { SendNotify(slider, Type(notify::kValueChanged)); });
}

void AttachCombo(QComboBox* combo) {
    QObject::connect(combo, &QComboBox::activated, combo,
                     [combo](int index) { SendNotify(combo, Type(notify::kItemSelect), index); });
}

void AttachItemView(QAbstractItemView* view) {
    view->installEventFilter(PumpFilter::Instance());
    view->viewport()->installEventFilter(PumpFilter::Instance());
    if (view->selectionModel() == nullptr) {
        return;
    }
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [view](const QModelIndex& current, const QModelIndex&) {
                         if (view->property(kUserInput).toBool()) {
                             SendNotify(view, Type(notify::kItemSelect), current.row());
                         }
                     });
}

void AttachLineEdit(QLineEdit* edit) {
    edit->installEventFilter(PumpFilter::Instance());
    QObject::connect(edit, &QLineEdit::returnPressed, edit,
                     [edit] { SendNotify(edit, Type(notify::kReturn)); });
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [edit](const QString&) { SendNotify(edit, Type(notify::kTextChanged)); });
}

}  // namespace

void AttachPumpToControl(QWidget* w) {
    // Qt's own inner widgets ("qt_spinbox_lineedit", ...) are parts of a control, not controls.
    if (w == nullptr || w->objectName().isEmpty() ||
        w->objectName().startsWith(QLatin1String("qt_")) || w->property(kAttached).toBool()) {
        return;
    }
    w->setProperty(kAttached, true);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        AttachButton(button);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
        AttachSlider(slider);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        AttachCombo(combo);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        AttachItemView(view);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        AttachLineEdit(edit);
    }
}

void AttachPump(QWidget* root) {
    if (root == nullptr) {
        return;
    }
    AttachPumpToControl(root);
    for (QWidget* child : root->findChildren<QWidget*>()) {
        AttachPumpToControl(child);
    }
}

}  // namespace ui
