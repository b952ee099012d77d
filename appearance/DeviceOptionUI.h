#pragma once

#include <array>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "appearance/DeviceEntryPictures.h"

class QTimer;

namespace ui {
class OptionButton;
}

namespace appearance {

class DeviceOptionTarget;

// One entry of the device list. It shows the device kind's picture in its option
// "device_select" and drives its device's periodic work with single-shot timers:
//   1001  500 ms after binding: OpenDevice, then 1000 after 5 ms and 1005 after 5000 ms
//   1000  every 50 ms while the command channel is open: ShowLightFrame
//   1005  every 5000 ms while status polling is on and the channel is open: RefreshStatus
//   1002  on request: RefreshFromDevice;  1003, 1004  on request: the two spare operations
class CDeviceOptionUI : public QWidget {
    Q_OBJECT
public:
    enum TimerId {
        kTimerLightFrame = 1000,
        kTimerOpen = 1001,
        kTimerRefresh = 1002,
        kTimerSpare1 = 1003,
        kTimerSpare2 = 1004,
        kTimerStatus = 1005,
    };
    static constexpr int kOpenDelayMs = 500;
    static constexpr int kFirstFrameDelayMs = 5;
    static constexpr int kFramePeriodMs = 50;
    static constexpr int kStatusPeriodMs = 5000;

    explicit CDeviceOptionUI(QWidget* parent = nullptr);
    ~CDeviceOptionUI() override;

    // Binds the entry to its device (not owned; it must outlive the binding) and arms timer
    // 1001. Binding null (before the device goes away) stops every timer.
    void BindDevice(DeviceOptionTarget* device);
    DeviceOptionTarget* Device() const { return device_; }

    // Starts one of the entry's timers; callable from any thread (a worker's request is
    // handed to the UI thread).
    void RequestTimer(int id, int milliseconds);
    void KillTimer(int id);
    bool IsTimerActive(int id) const;

    // Tests drive the timers themselves, independent of real time: from here on a request arms
    // its timer without starting it, and FireTimerForTesting runs an armed timer's action as
    // its expiry would.
    void UseManualTimersForTesting();
    void FireTimerForTesting(int id);
    // The period an armed manual timer was requested with, or -1.
    int ArmedPeriodForTesting(int id) const;

    // Kind code of the device list and the mouse pad sub-kind: chooses the pictures.
    void SetDeviceKind(int kind, int subKind = 0);
    int DeviceKind() const { return kind_; }
    const DeviceEntryPictures& Pictures() const { return pictures_; }
    // The synchronised look (all devices follow one light effect) or the normal one.
    void SetSynchronisedLook(bool synchronised);

    ui::OptionButton* SelectOption() const;
    ui::OptionButton* SynchroOption() const;
    bool IsSelected() const;

    // The entry's page in "device_switch" and its power indicator's page in
    // "device_power_switch".
    void SetPageIndex(int index) { pageIndex_ = index; }
    int PageIndex() const { return pageIndex_; }
    void SetPowerPageIndex(int index) { powerPageIndex_ = index; }
    int PowerPageIndex() const { return powerPageIndex_; }

    // The user's activation: "selectchanged" from the entry.
    void Activate();

    // How many times the entry repainted its preview (the option's icon) for a changed frame.
    int PreviewRepaints() const { return previewRepaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int TimerIndex(int id) const;
    void OnTimer(int id);
    void ApplyPictures();

    DeviceOptionTarget* device_ = nullptr;
    std::array<QTimer*, 6> timers_{};
    bool manualTimers_ = false;
    std::array<int, 6> armedPeriods_{-1, -1, -1, -1, -1, -1};
    DeviceEntryPictures pictures_;
    int kind_ = 0;
    bool synchronised_ = false;
    int pageIndex_ = -1;
    int powerPageIndex_ = -1;
    int previewRepaints_ = 0;
};

}  // namespace appearance
