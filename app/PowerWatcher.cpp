#include "app/PowerWatcher.h"

#include <QDBusConnection>

#include "app/MainWnd.h"
#include "base/Trace.h"

CPowerWatcher* CPowerWatcher::Watch(CMainWnd* window) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        trace::Line("MAIN_WND no system bus: suspend and resume are not watched");
        return nullptr;
    }
    auto* watcher = new CPowerWatcher(window);
    if (!bus.connect(QStringLiteral("org.freedesktop.login1"),
                     QStringLiteral("/org/freedesktop/login1"),
                     QStringLiteral("org.freedesktop.login1.Manager"),
                     QStringLiteral("PrepareForSleep"), watcher, SLOT(OnPrepareForSleep(bool)))) {
        trace::Line("MAIN_WND logind sleep signal not available");
        delete watcher;
        return nullptr;
    }
    return watcher;
}

CPowerWatcher::CPowerWatcher(CMainWnd* window) : QObject(window), window_(window) {}

void CPowerWatcher::OnPrepareForSleep(bool sleeping) {
    if (sleeping) {
        window_->OnSuspend();
    } else {
        window_->OnResume();
    }
}
