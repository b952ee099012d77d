#include "macros/hook/DeviceHook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "macros/MouseEventTable.h"
#include "macros/hook/QtKeyScanCodes.h"

namespace capture {

namespace {

std::optional<ScanCode> ScanCodeOf(const QKeyEvent& event) {
    if (auto code = ScanCodeFromXkbKeycode(event.nativeScanCode())) {
        return code;
    }
    return ScanCodeFromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

// Windows reports keys typed with Alt held (and Alt itself) as system keys.
bool IsSystemKey(const QKeyEvent& event) {
    return event.modifiers().testFlag(Qt::AltModifier) || event.key() == Qt::Key_Alt;
}

std::uint32_t ButtonMessage(Qt::MouseButton button, bool down, int* xButton) {
    *xButton = 0;
    switch (button) {
        case Qt::LeftButton:
            return down ? macros::kMsgLeftDown : macros::kMsgLeftUp;
        case Qt::RightButton:
            return down ? macros::kMsgRightDown : macros::kMsgRightUp;
        case Qt::MiddleButton:
            return down ? macros::kMsgMiddleDown : macros::kMsgMiddleUp;
        case Qt::BackButton:
            *xButton = 1;
            return down ? macros::kMsgXDown : macros::kMsgXUp;
        case Qt::ForwardButton:
            *xButton = 2;
            return down ? macros::kMsgXDown : macros::kMsgXUp;
        default:
            return 0;
    }
}

}  // namespace

CDeviceHook::CDeviceHook(QObject* parent) : QObject(parent) {}

CDeviceHook::~CDeviceHook() {
    Uninstall();
}

int CDeviceHook::Install(int modeFlags, RecordingReceiver* target, bool withKeyboardHook,
                         bool withComponentHook) {
    keyboardOn_ = false;
    mouseOn_ = false;
    UpdateFilter();
    if (QCoreApplication::instance() == nullptr || target == nullptr) {
        target_ = nullptr;
        return withKeyboardHook ? 0 : 1;
    }
    target_ = target;
    modeFlags_ = modeFlags;
    keyboardOn_ = withKeyboardHook;
    mouseOn_ = withComponentHook;
    lastKey_ = {};
    lastMouse_ = {};
    UpdateFilter();
    return 1;
}

int CDeviceHook::Uninstall() {
    const bool hadKeyboard = keyboardOn_;
    keyboardOn_ = false;
    mouseOn_ = false;
    target_ = nullptr;
    UpdateFilter();
    return hadKeyboard ? 1 : 0;
}

void CDeviceHook::UpdateFilter() {
    QCoreApplication* app = QCoreApplication::instance();
    const bool wanted = (keyboardOn_ || mouseOn_) && app != nullptr;
    if (wanted == filtering_) {
        return;
    }
    if (wanted) {
        app->installEventFilter(this);
    } else if (app != nullptr) {
        app->removeEventFilter(this);
    }
    filtering_ = wanted;
}

bool CDeviceHook::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            if (keyboardOn_) {
                return HandleKey(static_cast<QKeyEvent*>(event));
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (mouseOn_) {
                HandleMouse(static_cast<QMouseEvent*>(event));
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

bool CDeviceHook::HandleKey(QKeyEvent* event) {
    const std::optional<ScanCode> key = ScanCodeOf(*event);
    const bool lockKey =
        key ? IsLockKey(*key)
            : (event->key() == Qt::Key_CapsLock || event->key() == Qt::Key_NumLock ||
               event->key() == Qt::Key_ScrollLock);
    if (event->type() == QEvent::ShortcutOverride) {
        if (lockKey) {
            return false;
        }
        event->accept();  // the key is ours: no shortcut of the window may run
        return true;
    }
    const bool down = event->type() == QEvent::KeyPress;
    const SeenEvent seen{
        event->type(), event->timestamp(), event->nativeScanCode(), event->key(), 0, 0};
    // A lock key passes on and comes back for each receiver; other keys end here.
    const bool repeatedDelivery = lockKey && seen == lastKey_;
    lastKey_ = seen;
    // Auto-repeat arrives as release/press pairs; only the presses are the repeats a hook sees.
    const bool repeatRelease = !down && event->isAutoRepeat();
    if (key && !repeatedDelivery && !repeatRelease && target_ != nullptr) {
        if (const auto message = KeyboardMessageForMode(modeFlags_)) {
            KeyRecord record;
            record.key = *key;
            const bool system = IsSystemKey(*event);
            record.message =
                down ? (system ? kSysKeyDown : kKeyDown) : (system ? kSysKeyUp : kKeyUp);
            RecordingReceiver* target = target_;
            target->OnRecordedKey(*message, record);
        }
    }
    return !lockKey;
}

void CDeviceHook::HandleMouse(QMouseEvent* event) {
    const bool down = event->type() != QEvent::MouseButtonRelease;
    int xButton = 0;
    const std::uint32_t message = ButtonMessage(event->button(), down, &xButton);
    if (message == 0 || target_ == nullptr) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    const SeenEvent seen{event->type() == QEvent::MouseButtonDblClick
                             ? static_cast<int>(QEvent::MouseButtonPress)
                             : static_cast<int>(event->type()),
                         event->timestamp(),
                         message,
                         xButton,
                         global.x(),
                         global.y()};
    if (seen == lastMouse_) {
        return;
    }
    lastMouse_ = seen;
    if (const auto recording = MouseMessageForMode(modeFlags_)) {
        MouseRecord record;
        record.message = message;
        record.screenX = global.x();
        record.screenY = global.y();
        record.xButton = xButton;
        target_->OnRecordedMouse(*recording, record);
    }
}

}  // namespace capture
