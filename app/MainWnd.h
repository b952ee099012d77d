#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

#include "app/MainWndParts.h"
#include "app/ThreadSlots.h"
#include "ui/Window.h"

class QSystemTrayIcon;
class QMenu;
class QScreen;
class CMainWndBus;
class CPowerWatcher;

// Options of the main window that come from the command line.
struct MainWndOptions {
    // Tray and close-to-tray: off where the platform has no status area (offscreen).
    bool useTray = true;
    // Show the window at start instead of waiting for the first discovery pass.
    bool showAtStart = false;
    // Register the session bus interface.
    bool useSessionBus = true;
    // Watch logind's sleep signal on the system bus.
    bool useSystemBus = true;
    // Tests: make the tray icon even where the platform reports no status area.
    bool trayWithoutStatusArea = false;
};

// The single top-level window: builds the main layout, owns the device parts and the thread
// slots, the tray icon, the session bus interface and the suspend/resume watch. Closing it hides
// it in the tray; "exit" in the tray menu (or closing it where no tray exists) ends the program.
class CMainWnd : public ui::Window {
    Q_OBJECT
public:
    static constexpr int kInitialWidth = 800;
    static constexpr int kInitialHeight = 572;
    // The size AdjustScaling gives the window (at 100 %; Qt's global factor scales it).
    static constexpr int kScaledWidth = 1000;
    static constexpr int kScaledHeight = 640;

    // Timers of the window.
    static constexpr int kScalingTimer = 1011;        // once, 100 ms after initialisation
    static constexpr int kTrayMenuTimer = 1032;       // once, 10 ms after a right click on the tray
    static constexpr int kProfileSwitchTimer = 1055;  // started by the router, handled by it

    // The window's own notification after a display change, sent by "root".
    static constexpr char kWindowSize[] = "windowsize";

    // Thread slots of the window's own threads.
    static constexpr int kDiscoverySlot = 0;
    static constexpr int kUpdateCheckSlot = 2;
    static constexpr int kLightSyncSlot = 8;

    explicit CMainWnd(MainWndOptions options = {});
    ~CMainWnd() override;

    static QString GetWindowClassName() { return QStringLiteral("MainWnd"); }
    static QString GetSkinFile() { return QStringLiteral("XML_MAIN"); }
    static QString ProductName() { return QStringLiteral("Zorvath ZR-310 Gaming Mouse"); }

    // Control tables and layout elements of the pages and panels, added before Build().
    void AddControlTable(ui::ControlTable table);
    void AddLayoutElements(ui::LayoutElementTable table);
    // What the main layout was built with; device pages are built with the same.
    const ui::LoaderConfig& LoaderConfig() const { return config_; }
    // Builds the main layout with the program's control tables. False when it fails.
    bool Build();
    // Initialises the window ("windowinit") without showing it; it shows itself once the first
    // discovery pass has run (ActivateMainWindow).
    void Start();

    // The parts (set before the window is shown; the window owns them).
    void SetDeviceSwitcher(std::unique_ptr<IDeviceSwitcher> switcher);
    IDeviceSwitcher* DeviceSwitcher() const { return switcher_.get(); }
    void SetRouter(std::unique_ptr<INotifyRouter> router);
    INotifyRouter* Router() const { return router_.get(); }

    // Background threads by slot; hand-overs to the UI thread go through Threads().Send/Post.
    CThreadSlots& Threads() { return *threads_; }
    // Runs task on the UI thread while the calling worker waits (SendMessageW). False when it
    // did not run because the worker or the window is stopping.
    bool SendToUi(const std::stop_token& token, CThreadSlots::Task task) {
        return threads_->Send(token, std::move(task));
    }
    bool PostToUi(CThreadSlots::Task task) { return threads_->Post(std::move(task)); }

    // Shows the window and brings it to the front; "No_device_Link" shows when no device entry
    // is visible. The second instance and the first discovery pass end here.
    void ActivateMainWindow();
    // 1000 x 640 at the factor of the window's screen (Qt draws each screen at the factor
    // chosen for it before the application existed, ui::Scaling), centred on that screen.
    void AdjustScaling();
    // "windowsize" of "root": after a display change the window takes its size and place again.
    void OnWindowSize();

    // External light control (LightControlMsg): 0 or 1, shown on "control_light_status".
    void SetLightControlState(int state);
    int LightControlState() const { return lightControlState_; }
    // False while the system sleeps: device arrivals and removals are not acted on then.
    bool SystemAwake() const { return systemAwake_; }
    void OnSuspend();
    void OnResume();

    // Ends the program: closes the windows it owns, stops the threads, quits the event loop.
    void Exit();
    // "closebtn": hides the window in the tray; where there is no tray the program ends.
    void CloseToTray();
    // "nodevice_ok_btn": hides the window in the tray; without a tray it is minimised instead,
    // since a hidden window without a tray could never be brought back.
    void HideWindow();
    bool IsExiting() const { return exiting_; }
    // The settings and about windows close.
    void CloseOwnedWindows();
    bool HasTray() const { return tray_ != nullptr; }
    QSystemTrayIcon* Tray() const { return tray_; }

    // The settings and about windows while open (closed by a tray click and by "exit").
    QPointer<QWidget> settingsWindow;
    QPointer<QWidget> aboutWindow;

    void Notify(const ui::Notification& notification) override;

signals:
    // The window became visible (not on the hidden initialisation).
    void Shown();
    // The light-owner broadcast (LightOwnerMsg): wParam, lParam.
    void LightOwnerChanged(int wParam, int lParam);

protected:
    void InitWindow() override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnWindowInit();
    void OnTimer(int id);
    void CreateTray();
    void ShowTrayMenu();
    void OnTrayActivated(int reason);
    void UpdateNoDeviceLink();
    void SyncMaximiseButtons();
    void ShutDown();
    // Follows the window's screen and that screen's geometry (a resolution change).
    void WatchDisplay();
    void WatchScreen(QScreen* screen);
    void OnScreenChanged(QScreen* screen);
    void OnDisplayChanged();

    MainWndOptions options_;
    ui::LoaderConfig config_;
    std::unique_ptr<CThreadSlots> threads_;
    std::unique_ptr<IDeviceSwitcher> switcher_;
    std::unique_ptr<INotifyRouter> router_;
    QSystemTrayIcon* tray_ = nullptr;
    QPointer<QMenu> trayMenu_;
    CMainWndBus* bus_ = nullptr;
    CPowerWatcher* power_ = nullptr;
    QPointer<QWidget> closeButton_, maxButton_, restoreButton_, minButton_, skinButton_, setButton_;
    int lightControlState_ = 1;
    bool systemAwake_ = true;
    bool activated_ = false;
    bool activeOrHovered_ = false;
    bool initialised_ = false;
    bool activatedOnce_ = false;
    bool exiting_ = false;
    bool shutDown_ = false;
    bool displayWatched_ = false;
    bool displayChanged_ = false;
    QPointer<QScreen> watchedScreen_;
};
