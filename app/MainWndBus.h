#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class CMainWnd;

// The cross-process messages of the main window as a session bus interface: companion programs
// bring the window to the front, relay settings to the settings window, switch the live light
// control, ask for the supported devices, and hear whether this program drives the lights.
class CMainWndBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zorvath.Config.MainWindow")
public:
    static constexpr char kService[] = "com.zorvath.Config";
    static constexpr char kPath[] = "/MainWindow";
    static constexpr char kInterface[] = "com.zorvath.Config.MainWindow";

    // Registers the service and object on the session bus; null (and a trace line) when there
    // is no session bus or the name is taken.
    static CMainWndBus* Register(CMainWnd* window);
    ~CMainWndBus() override;

public slots:
    // InstanceMsg: show the window and bring it to the front.
    void Activate();
    // SettingsRelayMsg: passed on to the settings window while it is open. Returns whether
    // it was delivered.
    bool RelaySettings(int wParam, int lParam);
    // LightControlMsg: with wParam 1, lParam 0 or 1 switches the live light control; anything
    // else is ignored.
    void LightControl(int wParam, int lParam);
    // DeviceQueryMsg: the 1024-byte device block.
    QByteArray QueryDevices();

signals:
    // LightOwnerMsg.
    void LightOwner(int wParam, int lParam);
    // The device block, also broadcast whenever it is asked for (the "WorkTool" answer).
    void DeviceList(const QByteArray& block);

private:
    explicit CMainWndBus(CMainWnd* window);
    CMainWnd* window_;
};
