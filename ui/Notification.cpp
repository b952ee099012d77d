#include "ui/Notification.h"

#include <QVariant>

namespace ui {
namespace {

constexpr char kReceiverProperty[] = "zorvathNotifyReceiver";

NotifyReceiver* ExplicitReceiver(const QWidget* widget) {
    const QVariant value = widget->property(kReceiverProperty);
    if (!value.isValid()) {
        return nullptr;
    }
    QObject* target = value.value<QPointer<QObject>>().data();
    return dynamic_cast<NotifyReceiver*>(target);
}

}  // namespace

NotifyReceiver* FindNotifyReceiver(QWidget* sender) {
    for (QWidget* w = sender; w != nullptr; w = w->parentWidget()) {
        if (NotifyReceiver* routed = ExplicitReceiver(w)) {
            return routed;
        }
        if (w != sender) {
            if (auto* receiver = dynamic_cast<NotifyReceiver*>(w)) {
                return receiver;
            }
        }
    }
    return nullptr;
}

bool SendNotifyNamed(QWidget* sender, const QString& senderName, const QString& type,
                     qintptr wParam, qintptr lParam) {
    if (sender == nullptr) {
        return false;
    }
    NotifyReceiver* receiver = FindNotifyReceiver(sender);
    if (receiver == nullptr) {
        return false;
    }
    Notification notification{type, sender, senderName, wParam, lParam};
    receiver->Notify(notification);
    return true;
}

bool SendNotify(QWidget* sender, const QString& type, qintptr wParam, qintptr lParam) {
    if (sender == nullptr) {
        return false;
    }
    return SendNotifyNamed(sender, sender->objectName(), type, wParam, lParam);
}

void SetNotifyReceiver(QWidget* control, QWidget* receiver) {
    if (control == nullptr) {
        return;
    }
    if (receiver == nullptr) {
        control->setProperty(kReceiverProperty, QVariant());
        return;
    }
    control->setProperty(kReceiverProperty, QVariant::fromValue(QPointer<QObject>(receiver)));
}

}  // namespace ui
