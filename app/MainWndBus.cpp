#include "app/MainWndBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "app/DeviceQueryBlock.h"
#include "app/MainWnd.h"
#include "base/Trace.h"

CMainWndBus* CMainWndBus::Register(CMainWnd* window) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        trace::Line("MAIN_WND no session bus: companion interface off");
        return nullptr;
    }
    auto* object = new CMainWndBus(window);
    if (!bus.registerObject(QString::fromLatin1(kPath), object,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)) {
        trace::Line("MAIN_WND session bus object could not be registered");
        delete object;
        return nullptr;
    }
    if (!bus.registerService(QString::fromLatin1(kService))) {
        trace::Line("MAIN_WND session bus name taken: " + bus.lastError().message().toStdString());
    }
    return object;
}

CMainWndBus::CMainWndBus(CMainWnd* window) : QObject(window), window_(window) {
    connect(window, &CMainWnd::LightOwnerChanged, this, &CMainWndBus::LightOwner);
}

CMainWndBus::~CMainWndBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.unregisterObject(QString::fromLatin1(kPath));
        bus.unregisterService(QString::fromLatin1(kService));
    }
}

void CMainWndBus::Activate() {
    trace::Line("MAIN_WND activate request");
    window_->ActivateMainWindow();
}

bool CMainWndBus::RelaySettings(int wParam, int lParam) {
    // The settings window takes the relay through its RelaySettings(int, int) slot.
    QWidget* settings = window_->settingsWindow;
    if (settings == nullptr ||
        settings->metaObject()->indexOfMethod("RelaySettings(int,int)") < 0) {
        return false;
    }
    return QMetaObject::invokeMethod(settings, "RelaySettings", Qt::QueuedConnection,
                                     Q_ARG(int, wParam), Q_ARG(int, lParam));
}

void CMainWndBus::LightControl(int wParam, int lParam) {
    if (wParam != 1 || (lParam != 0 && lParam != 1)) {
        return;
    }
    window_->SetLightControlState(lParam);
}

QByteArray CMainWndBus::QueryDevices() {
    const DeviceQueryBlock block = BuildDeviceQueryBlock();
    QByteArray bytes(reinterpret_cast<const char*>(block.data()),
                     static_cast<qsizetype>(block.size()));
    emit DeviceList(bytes);
    return bytes;
}
