#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "app/routing/DesktopSettingsLauncher.h"
#include "app/routing/RoutingInterfaces.h"
#include "macros/hook/RecordingMessages.h"

namespace routing {

// Routes the main window's notifications by type and sender name to the window's commands, the
// device switcher, the current device's page or one of its panels, and the capture hook's
// messages to the current device's key set or macro panel. The main window hands every
// notification to Route(); "timer" notifications of its own timers stay with it.
class CControlRouter : public QObject, public capture::RecordingReceiver {
    Q_OBJECT
public:
    // The profile switch runs this long after the last choice in "device_profile_combo".
    static constexpr int kProfileTimerId = 1055;
    static constexpr int kProfileTimerMs = 400;
    static constexpr char kDefaultsQuestionId[] = "message_text_22";

    explicit CControlRouter(RoutingHost& host, QObject* parent = nullptr);
    ~CControlRouter() override;

    // Routes one notification. Returns whether the UI layer's default handling runs afterwards.
    bool Route(const ui::Notification& notification);

    void OnRecordedKey(capture::RecordingMessage message,
                       const capture::KeyRecord& record) override;
    void OnRecordedMouse(capture::RecordingMessage message,
                         const capture::MouseRecord& record) override;

    void SetDesktopSettingsLauncher(DesktopSettingsLauncher launcher);
    bool IsProfileTimerRunning() const { return profileTimer_.isActive(); }

private:
    void Run(const RouteMatch& match, const ui::Notification& notification);
    void RunRouterOp(const RouteMatch& match, const ui::Notification& notification);
    // Delivers one step; false when its receiver is missing or the device kind does not fit.
    bool Deliver(Step step, RoutedEvent event, std::uint8_t kinds);
    ControlHandler* Receiver(Target target, std::uint8_t kinds);
    void OnProfileTimer();
    void FinishKeyLightSelection(const ui::Notification& notification);

    RoutingHost& host_;
    QTimer profileTimer_;
    DesktopSettingsLauncher launcher_;
};

}  // namespace routing
