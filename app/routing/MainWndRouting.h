#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "app/MainWndParts.h"
#include "app/routing/ControlRouter.h"
#include "app/routing/RoutingInterfaces.h"
#include "macros/hook/DeviceHook.h"

class CMainWnd;

namespace routing {

// The router as a part of the main window: it carries out the window's own commands, owns the
// window's capture hook (installed and removed by capture::CaptureHookEvent, the window message
// WM_USER + 30) and reaches the current device and the device switcher through the sources it
// is given, so that device pages and panels plug in as they exist.
class CMainWndRouting : public QObject, public INotifyRouter, public RoutingHost {
    Q_OBJECT
public:
    using DeviceSource = std::function<RoutedDevice*()>;

    explicit CMainWndRouting(CMainWnd& window);
    ~CMainWndRouting() override;

    // Where the current device comes from (null result: none), and the switcher's handler
    // (not owned; may be null).
    void SetDeviceSource(DeviceSource source) { deviceSource_ = std::move(source); }
    void SetSwitcher(ControlHandler* switcher) { switcher_ = switcher; }

    // INotifyRouter
    void Route(const ui::Notification& notification) override;

    // RoutingHost
    RoutedDevice* CurrentDevice() override;
    ControlHandler* WindowCommands() override;
    ControlHandler* Switcher() override { return switcher_; }
    QWidget* OwnControl(const QString& name) override;
    QWidget* DialogOwner() override;

    // The window message WM_USER + 30: wParam 0 removes the hook, 1 installs it for the
    // window in single-key mode. Returns the hook's result.
    int OnCaptureHookMessage(int wParam);

    CControlRouter& Router() { return *router_; }
    capture::CDeviceHook& Hook() { return hook_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Commands;

    CMainWnd& window_;
    std::unique_ptr<CControlRouter> router_;
    std::unique_ptr<Commands> commands_;
    capture::CDeviceHook hook_;
    DeviceSource deviceSource_;
    ControlHandler* switcher_ = nullptr;
};

// Makes the routing part and gives it to the window, bound to the window's device switcher and
// device pages when the program has them; returns it (owned by the window).
CMainWndRouting* AttachRouting(CMainWnd& window);

}  // namespace routing
