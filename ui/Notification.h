#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace ui {

// Notification types sent by the layer's controls. Custom controls may send their own.
namespace notify {
inline constexpr char kClick[] = "click";
inline constexpr char kSelectChanged[] = "selectchanged";
inline constexpr char kValueChanged[] = "valuechanged";
inline constexpr char kMoveValueChanged[] = "movevaluechanged";
inline constexpr char kItemSelect[] = "itemselect";
inline constexpr char kItemClick[] = "itemclick";
inline constexpr char kKillFocus[] = "killfocus";
inline constexpr char kReturn[] = "return";
inline constexpr char kTextChanged[] = "textchanged";
inline constexpr char kColorChanged[] = "colorchanged";
inline constexpr char kWindowInit[] = "windowinit";
inline constexpr char kTimer[] = "timer";
inline constexpr char kMenu[] = "menu";
}  // namespace notify

// One user action reported by a control. The sender may be deleted by the receiver's handler;
// senderName stays valid. For "timer" wParam is the timer id; for "itemselect" wParam is the new
// index; for "colorchanged" wParam is the colour as 0xAARRGGBB; for a menu item "click" the
// sender is the menu and senderName the item's name.
struct Notification {
    QString type;
    QPointer<QWidget> sender;
    QString senderName;
    qintptr wParam = 0;
    qintptr lParam = 0;
};

// A window (or any widget) that handles the notifications of the controls below it.
class NotifyReceiver {
public:
    virtual ~NotifyReceiver() = default;
    virtual void Notify(const Notification& notification) = 0;
};

// Delivers a notification from sender to its receiver: the receiver set on the sender or on its
// nearest ancestor with SetNotifyReceiver, otherwise the nearest ancestor widget (the sender
// excluded) that is a NotifyReceiver. Returns false when nobody receives it.
bool SendNotify(QWidget* sender, const QString& type, qintptr wParam = 0, qintptr lParam = 0);

// Same, with a sender name other than the sender's object name (menu items).
bool SendNotifyNamed(QWidget* sender, const QString& senderName, const QString& type,
                     qintptr wParam = 0, qintptr lParam = 0);

// Routes the notifications of control and everything below it to receiver (which must be a
// QWidget that is a NotifyReceiver; a deleted receiver is forgotten). Null clears the route.
void SetNotifyReceiver(QWidget* control, QWidget* receiver);

// The receiver SendNotify would use for sender, or null.
NotifyReceiver* FindNotifyReceiver(QWidget* sender);

}  // namespace ui
