#include "app/MainWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <string>

#include "app/MainWndBus.h"
#include "app/NoDevicePage.h"
#include "app/PowerWatcher.h"
#include "appearance/AppearanceControls.h"
#include "base/ProgramVersion.h"
#include "base/Trace.h"
#include "ui/LanguageTexts.h"
#include "ui/PopupMenu.h"
#include "ui/SkinResources.h"

namespace {

// Shown even when no discovery pass ever reports in, so no hidden window is left behind.
constexpr int kShowFallbackMs = 1500;

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

CMainWnd::CMainWnd(MainWndOptions options)
    : ui::Window(nullptr, Qt::Window | Qt::FramelessWindowHint), options_(options) {
    threads_ = std::make_unique<CThreadSlots>([this] {
        // Runs the hand-overs on the UI thread; the window outlives every worker.
        QMetaObject::invokeMethod(
            this, [this] { threads_->RunPending(); }, Qt::QueuedConnection);
    });
    setObjectName(GetWindowClassName());
    setWindowTitle(ProductName());
    resize(kInitialWidth, kInitialHeight);
    SetCaptionHeight(48);
}

CMainWnd::~CMainWnd() {
    ShutDown();
}

void CMainWnd::AddControlTable(ui::ControlTable table) {
    config_.tables.push_back(table);
}

void CMainWnd::AddLayoutElements(ui::LayoutElementTable table) {
    config_.layoutElements.push_back(table);
}

bool CMainWnd::Build() {
    config_.tables.insert(config_.tables.begin(), appearance::AppearanceControlTable());
    if (!Create(GetSkinFile(), config_)) {
        trace::Line("MAIN_WND layout failed: " + LayoutError().toStdString());
        return false;
    }
    setWindowTitle(ProductName());
    closeButton_ = FindControl(Latin("closebtn"));
    maxButton_ = FindControl(Latin("maxbtn"));
    restoreButton_ = FindControl(Latin("restorebtn"));
    minButton_ = FindControl(Latin("minbtn"));
    skinButton_ = FindControl(Latin("skinbtn"));
    setButton_ = FindControl(Latin("setbtn"));
    if (QWidget* noDevice = FindControl(Latin("No_device_Link"))) {
        noDevice->installEventFilter(this);
    }
    // Labels that name a skin picture show it.
    for (QLabel* label : findChildren<QLabel*>()) {
        const QString picture = label->property("picture").toString();
        if (!picture.isEmpty()) {
            label->setPixmap(ui::LoadPicture(picture));
        }
    }
    // The footer's version is the program's own, in the language's words.
    ui::SetTextId(FindControl(Latin("main_version_label")), Latin("main_version_text"),
                  {QString::fromStdString(std::string(version::kText))});
    SyncMaximiseButtons();
    return true;
}

void CMainWnd::Start() {
    // The first show event initialises the window ("windowinit") while it stays hidden; it is
    // shown once the first discovery pass has run.
    QShowEvent event;
    QCoreApplication::sendEvent(this, &event);
}

void CMainWnd::SetDeviceSwitcher(std::unique_ptr<IDeviceSwitcher> switcher) {
    switcher_ = std::move(switcher);
}

void CMainWnd::SetRouter(std::unique_ptr<INotifyRouter> router) {
    router_ = std::move(router);
}

void CMainWnd::InitWindow() {
    trace::Line("InitWindow");
    CreateTray();
    if (options_.useSessionBus) {
        bus_ = CMainWndBus::Register(this);
    }
    if (options_.useSystemBus) {
        power_ = CPowerWatcher::Watch(this);
    }
}

void CMainWnd::OnWindowInit() {
    // This program drives the lights of its devices.
    emit LightOwnerChanged(1, 1);
    if (switcher_) {
        switcher_->CreateDevicePages();
    }
    UpdateNoDeviceLink();
    if (switcher_) {
        switcher_->StartThreads();
    }
    SetTimer(kScalingTimer, 100, true);
    if (options_.showAtStart || !switcher_) {
        ActivateMainWindow();
    } else {
        QTimer::singleShot(kShowFallbackMs, this, [this] {
            if (!activatedOnce_) {
                trace::Line("MAIN_WND no discovery pass reported; showing the window");
                ActivateMainWindow();
            }
        });
    }
    initialised_ = true;
}

void CMainWnd::Notify(const ui::Notification& n) {
    if (n.type != Latin(ui::notify::kTimer)) {
        trace::Line("Notify " + n.type.toStdString() + " " + n.senderName.toStdString());
    }
    if (n.type == Latin(ui::notify::kWindowInit) && n.sender == this) {
        OnWindowInit();
        return;
    }
    if (n.type == Latin(ui::notify::kTimer) && n.sender == this &&
        (n.wParam == kScalingTimer || n.wParam == kTrayMenuTimer)) {
        OnTimer(static_cast<int>(n.wParam));
        return;
    }
    if (n.type == Latin(ui::kMenuCommand) && n.senderName == Latin("exit")) {
        Exit();
        return;
    }
    if (router_) {
        router_->Route(n);
        return;
    }
    // Without a router the window still answers its caption.
    if (n.type == Latin(ui::notify::kClick)) {
        const QString& name = n.senderName;
        if (name.compare(Latin("closebtn"), Qt::CaseInsensitive) == 0) {
            CloseToTray();
            return;
        }
        if (name.compare(Latin("nodevice_ok_btn"), Qt::CaseInsensitive) == 0) {
            HideWindow();
            return;
        }
        if (name.compare(Latin("minbtn"), Qt::CaseInsensitive) == 0) {
            showMinimized();
            return;
        }
        if (name.compare(Latin("maxbtn"), Qt::CaseInsensitive) == 0) {
            showMaximized();
            return;
        }
        if (name.compare(Latin("restorebtn"), Qt::CaseInsensitive) == 0) {
            showNormal();
            return;
        }
    }
    if (n.type == Latin(kWindowSize) && n.sender == Root()) {
        OnWindowSize();
    }
}

void CMainWnd::OnTimer(int id) {
    KillTimer(id);
    if (id == kScalingTimer) {
        AdjustScaling();
        update();
    } else if (id == kTrayMenuTimer) {
        ShowTrayMenu();
    }
}

void CMainWnd::ActivateMainWindow() {
    trace::Line("MAIN_WND ActivateMainWindow");
    activatedOnce_ = true;
    UpdateNoDeviceLink();
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void CMainWnd::UpdateNoDeviceLink() {
    QWidget* link = FindControl(Latin("No_device_Link"));
    if (link == nullptr) {
        return;
    }
    const int devices = switcher_ != nullptr ? switcher_->CountVisibleEntries() : 0;
    link->setVisible(devices == 0);
    // Device switching applies the same rule whenever an entry shows or hides; before any
    // device came, it has not run yet.
    for (const char* name : {"device_select_prev", "device_select_next"}) {
        if (QWidget* step = FindControl(Latin(name))) {
            step->setVisible(devices > 0);
            step->setEnabled(devices > 1);
        }
    }
    if (QWidget* sameMode = FindControl(Latin("deng_same_mode"))) {
        sameMode->setEnabled(devices > 1);
    }
}

bool CMainWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->objectName() == Latin("No_device_Link")) {
        RefreshNoDevicePage(static_cast<QWidget*>(watched));
    }
    return ui::Window::eventFilter(watched, event);
}

void CMainWnd::SetLightControlState(int state) {
    lightControlState_ = state != 0 ? 1 : 0;
    if (QWidget* status = FindControl(Latin("control_light_status"))) {
        const char* id =
            lightControlState_ != 0 ? "control_light_on_text" : "control_light_off_text";
        ui::SetTextId(status, Latin(id));
        ui::ApplyTexts(status);
    }
    if (switcher_) {
        switcher_->SetLiveLight(lightControlState_ != 0);
    }
}

void CMainWnd::OnSuspend() {
    trace::Line("MAIN_WND system suspends");
    systemAwake_ = false;
    if (switcher_) {
        switcher_->SetLiveLight(false);
    }
}

void CMainWnd::OnResume() {
    trace::Line("MAIN_WND system resumed");
    systemAwake_ = true;
    if (switcher_) {
        switcher_->SetLiveLight(lightControlState_ != 0);
    }
}

void CMainWnd::changeEvent(QEvent* event) {
    ui::Window::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        activated_ = isActiveWindow();
        activeOrHovered_ = activated_;
        if (switcher_) {
            switcher_->SetWindowActive(activeOrHovered_);
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        SyncMaximiseButtons();
    }
}

void CMainWnd::enterEvent(QEnterEvent* event) {
    ui::Window::enterEvent(event);
    if (!activated_ && !activeOrHovered_) {
        activeOrHovered_ = true;
        if (switcher_) {
            switcher_->SetWindowActive(true);
        }
    }
}

void CMainWnd::leaveEvent(QEvent* event) {
    ui::Window::leaveEvent(event);
    if (!activated_ && activeOrHovered_) {
        activeOrHovered_ = false;
        if (switcher_) {
            switcher_->SetWindowActive(false);
        }
    }
}

void CMainWnd::SyncMaximiseButtons() {
    const bool maximised = isMaximized();
    if (maxButton_) {
        maxButton_->setVisible(!maximised);
    }
    if (restoreButton_) {
        restoreButton_->setVisible(maximised);
    }
}

void CMainWnd::CloseOwnedWindows() {
    if (settingsWindow) {
        settingsWindow->close();
    }
    if (aboutWindow) {
        aboutWindow->close();
    }
}

void CMainWnd::showEvent(QShowEvent* event) {
    ui::Window::showEvent(event);
    WatchDisplay();
    if (isVisible() && !event->spontaneous()) {
        emit Shown();
    }
}

void CMainWnd::CloseToTray() {
    CloseOwnedWindows();
    close();
}

void CMainWnd::HideWindow() {
    if (HasTray()) {
        hide();
    } else {
        showMinimized();
    }
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    if (!exiting_ && HasTray()) {
        // Close hides the window in the tray; the tray menu's "exit" ends the program.
        event->ignore();
        hide();
        return;
    }
    event->accept();
    if (!exiting_) {
        Exit();
    }
}

void CMainWnd::Exit() {
    if (exiting_) {
        return;
    }
    exiting_ = true;
    CloseOwnedWindows();
    // An open message box runs an event loop of its own, which the quit below does not end
    // while the application's loop has not started yet.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* modal = qobject_cast<ui::Window*>(widget);
        if (modal != nullptr && modal != this && modal->IsModalRunning()) {
            modal->EndModal(0);
        }
    }
    hide();
    ShutDown();
    // Queued, so that an exit before the event loop runs still ends it.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void CMainWnd::ShutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    trace::Line("MAIN_WND stopping threads");
    threads_->StopAll();
    if (switcher_) {
        switcher_->Shutdown();
    }
    if (tray_ != nullptr) {
        tray_->hide();
    }
}
