#include "macros/hook/CaptureHookMessage.h"

#include <QCoreApplication>

namespace capture {

CaptureHookEvent::CaptureHookEvent(bool install, int modeFlags)
    : QEvent(EventType()), install_(install), modeFlags_(modeFlags) {
    setAccepted(false);
}

QEvent::Type CaptureHookEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

namespace {

int Send(QObject* mainWindow, bool install, int modeFlags) {
    if (mainWindow == nullptr) {
        return 0;
    }
    CaptureHookEvent event(install, modeFlags);
    QCoreApplication::sendEvent(mainWindow, &event);
    return event.isAccepted() ? event.result : 0;
}

}  // namespace

int SendCaptureHookMessage(QObject* mainWindow, int wParam) {
    return Send(mainWindow, wParam != 0, mode::kSingleKey);
}

int SendCaptureHookInstall(QObject* mainWindow, int modeFlags) {
    return Send(mainWindow, true, modeFlags);
}

}  // namespace capture
