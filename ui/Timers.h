#pragma once

class QWidget;

namespace ui {

enum class TimerMode { Repeating, SingleShot };

// A control that handles its own timers (a device list entry driving its device) without
// becoming the receiver of its children's notifications.
class TimerHandler {
public:
    virtual ~TimerHandler() = default;
    virtual void OnTimer(int id) = 0;
};

// SetTimer on a control or window by (control, id): setting an existing id restarts it with the
// new period. When it fires: a control that is a TimerHandler gets OnTimer(id); one that is
// itself a NotifyReceiver (a window) gets "timer" with wParam = id; any other control's "timer"
// goes to its receiver like every other notification. Timers die with their control.
void SetTimer(QWidget* control, int id, int milliseconds, TimerMode mode = TimerMode::Repeating);
void KillTimer(QWidget* control, int id);
bool IsTimerActive(const QWidget* control, int id);

}  // namespace ui
