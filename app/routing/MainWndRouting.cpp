#include "app/routing/MainWndRouting.h"

#include <QEvent>

#include "app/AboutWnd.h"
#include "app/MainWnd.h"
#include "base/Trace.h"
#include "macros/hook/CaptureHookMessage.h"

#if ZORVATH_ROUTING_HAS_PAGES
#include "app/discovery/DeviceSwitcher.h"
#include "app/routing/PageRouting.h"
#endif

namespace routing {

// The main window's own commands of the routing tables.
class CMainWndRouting::Commands : public ControlHandler {
public:
    Commands(CMainWnd& window, CMainWndRouting& routing) : window_(window), routing_(routing) {}

    void OnControl(const RoutedEvent& event) override {
        switch (event.op) {
            case Op::CloseWindow:
                window_.CloseToTray();
                break;
            case Op::HideWindow:
                window_.HideWindow();
                break;
            case Op::Minimize:
                window_.showMinimized();
                break;
            case Op::Maximize:
                window_.showMaximized();
                break;
            case Op::Restore:
                window_.showNormal();
                break;
            case Op::ToggleLightControl: {
                const int state = window_.LightControlState() == 1 ? 0 : 1;
                emit window_.LightOwnerChanged(1, state);
                window_.SetLightControlState(state);
                break;
            }
            case Op::ShowAbout:
                ShowAbout();
                break;
            case Op::WindowSize:
                window_.OnWindowSize();
                break;
            case Op::Exit:
                window_.Exit();
                break;
            case Op::RemoveCaptureHook:
                routing_.OnCaptureHookMessage(0);
                break;
            case Op::SkinChooser:
            case Op::ShowSettings:
                // Their windows belong to the appearance and update parts, not built yet.
                trace::Linef("MAIN_WND %s has no window yet", std::string(event.name).c_str());
                break;
            default:
                break;
        }
    }

private:
    void ShowAbout() {
        if (QWidget* open = window_.aboutWindow) {
            open->raise();
            open->activateWindow();
            return;
        }
        ShowAboutWindow(&window_, &window_.aboutWindow);
    }

    CMainWnd& window_;
    CMainWndRouting& routing_;
};

CMainWndRouting::CMainWndRouting(CMainWnd& window)
    : window_(window),
      router_(std::make_unique<CControlRouter>(*this)),
      commands_(std::make_unique<Commands>(window, *this)) {
    window_.installEventFilter(this);
}

CMainWndRouting::~CMainWndRouting() {
    hook_.Uninstall();
    window_.removeEventFilter(this);
}

void CMainWndRouting::Route(const ui::Notification& notification) {
    router_->Route(notification);
}

RoutedDevice* CMainWndRouting::CurrentDevice() {
    return deviceSource_ ? deviceSource_() : nullptr;
}

ControlHandler* CMainWndRouting::WindowCommands() {
    return commands_.get();
}

QWidget* CMainWndRouting::OwnControl(const QString& name) {
    return window_.FindControl(name);
}

QWidget* CMainWndRouting::DialogOwner() {
    return &window_;
}

int CMainWndRouting::OnCaptureHookMessage(int wParam) {
    if (wParam == 0) {
        return hook_.Uninstall();
    }
    return hook_.Install(capture::mode::kSingleKey, router_.get(), true, true);
}

bool CMainWndRouting::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == capture::CaptureHookEvent::EventType()) {
        auto* request = static_cast<capture::CaptureHookEvent*>(event);
        request->result = request->Install()
                              ? hook_.Install(request->ModeFlags(), router_.get(), true, true)
                              : hook_.Uninstall();
        request->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

CMainWndRouting* AttachRouting(CMainWnd& window) {
    auto routing = std::make_unique<CMainWndRouting>(window);
    CMainWndRouting* attached = routing.get();
#if ZORVATH_ROUTING_HAS_PAGES
    if (auto* switcher = dynamic_cast<discovery::CDeviceSwitcher*>(window.DeviceSwitcher())) {
        attached->SetSwitcher(switcher->Controls());
        auto device = std::make_shared<CPageDevice>();
        attached->SetDeviceSource([switcher, device]() -> RoutedDevice* {
            device->SetPage(CurrentPage(*switcher));
            return device->Page() != nullptr ? device.get() : nullptr;
        });
    }
#endif
    window.SetRouter(std::move(routing));
    return attached;
}

}  // namespace routing
