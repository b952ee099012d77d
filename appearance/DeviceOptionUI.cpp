#include "appearance/DeviceOptionUI.h"

#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include "appearance/ControlPictures.h"
#include "appearance/DeviceOptionTarget.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/Notification.h"
#include "ui/OptionButton.h"

namespace appearance {

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("DeviceOption"));
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        const int id = kTimerLightFrame + static_cast<int>(i);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
        timers_[i] = timer;
    }
}

CDeviceOptionUI::~CDeviceOptionUI() {
    if (device_ != nullptr) {
        device_->SetOptionEntry(nullptr);
    }
}

int CDeviceOptionUI::TimerIndex(int id) const {
    const int index = id - kTimerLightFrame;
    return index >= 0 && index < static_cast<int>(timers_.size()) ? index : -1;
}

void CDeviceOptionUI::BindDevice(DeviceOptionTarget* device) {
    for (int id = kTimerLightFrame; id <= kTimerStatus; ++id) {
        KillTimer(id);
    }
    if (device_ != nullptr && device_ != device) {
        device_->SetOptionEntry(nullptr);
    }
    device_ = device;
    if (device_ == nullptr) {
        return;
    }
    device_->SetOptionEntry(this);
    RequestTimer(kTimerOpen, kOpenDelayMs);
}

void CDeviceOptionUI::RequestTimer(int id, int milliseconds) {
    if (QThread::currentThread() != thread()) {
        // Qt timers belong to the UI thread; a listener thread only asks for one.
        QMetaObject::invokeMethod(
            this, [this, id, milliseconds] { RequestTimer(id, milliseconds); },
            Qt::QueuedConnection);
        return;
    }
    const int index = TimerIndex(id);
    if (index < 0) {
        return;
    }
    const int period = milliseconds < 0 ? 0 : milliseconds;
    if (manualTimers_) {
        armedPeriods_[static_cast<std::size_t>(index)] = period;
    } else {
        timers_[static_cast<std::size_t>(index)]->start(period);
    }
}

void CDeviceOptionUI::KillTimer(int id) {
    const int index = TimerIndex(id);
    if (index < 0) {
        return;
    }
    timers_[static_cast<std::size_t>(index)]->stop();
    armedPeriods_[static_cast<std::size_t>(index)] = -1;
}

bool CDeviceOptionUI::IsTimerActive(int id) const {
    const int index = TimerIndex(id);
    if (index < 0) {
        return false;
    }
    return manualTimers_ ? armedPeriods_[static_cast<std::size_t>(index)] >= 0
                         : timers_[static_cast<std::size_t>(index)]->isActive();
}

void CDeviceOptionUI::UseManualTimersForTesting() {
    manualTimers_ = true;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        if (timers_[i]->isActive()) {
            armedPeriods_[i] = timers_[i]->interval();
            timers_[i]->stop();
        }
    }
}

void CDeviceOptionUI::FireTimerForTesting(int id) {
    if (IsTimerActive(id)) {
        OnTimer(id);
    }
}

int CDeviceOptionUI::ArmedPeriodForTesting(int id) const {
    const int index = TimerIndex(id);
    return manualTimers_ && index >= 0 ? armedPeriods_[static_cast<std::size_t>(index)] : -1;
}

void CDeviceOptionUI::OnTimer(int id) {
    KillTimer(id);
    if (device_ == nullptr) {
        return;
    }
    switch (id) {
        case kTimerOpen:
            device_->OpenDevice();
            RequestTimer(kTimerLightFrame, kFirstFrameDelayMs);
            if (device_->GetStatusPolling() != 0 && device_->IsCommandChannelOpen()) {
                RequestTimer(kTimerStatus, kStatusPeriodMs);
            }
            break;
        case kTimerLightFrame: {
            const bool changed = device_->ShowLightFrame();
            if (changed && IsSelected() && device_->IsWindowActive()) {
                ++previewRepaints_;
                if (ui::OptionButton* option = SelectOption()) {
                    option->update();
                }
            }
            if (device_->IsCommandChannelOpen()) {
                RequestTimer(kTimerLightFrame, kFramePeriodMs);
            }
            break;
        }
        case kTimerStatus:
            device_->RefreshStatus();
            if (device_->GetStatusPolling() != 0 && device_->IsCommandChannelOpen()) {
                RequestTimer(kTimerStatus, kStatusPeriodMs);
            }
            break;
        case kTimerRefresh:
            device_->RefreshFromDevice();
            break;
        case kTimerSpare1:
            device_->SpareOperation1();
            break;
        case kTimerSpare2:
            device_->SpareOperation2();
            break;
        default:
            break;
    }
}

ui::OptionButton* CDeviceOptionUI::SelectOption() const {
    return qobject_cast<ui::OptionButton*>(
        ui::FindSubControlByName(this, QStringLiteral("device_select")));
}

ui::OptionButton* CDeviceOptionUI::SynchroOption() const {
    return qobject_cast<ui::OptionButton*>(
        ui::FindSubControlByName(this, QStringLiteral("synchro_device_select")));
}

bool CDeviceOptionUI::IsSelected() const {
    const ui::OptionButton* option = SelectOption();
    return option != nullptr && option->IsSelected();
}

void CDeviceOptionUI::SetDeviceKind(int kind, int subKind) {
    const std::optional<DeviceEntryPictures> pictures = PicturesForDeviceKind(kind, subKind);
    kind_ = kind;
    if (!pictures) {
        return;
    }
    pictures_ = *pictures;
    ApplyPictures();
}

void CDeviceOptionUI::SetSynchronisedLook(bool synchronised) {
    synchronised_ = synchronised;
    ApplyPictures();
}

void CDeviceOptionUI::ApplyPictures() {
    if (pictures_.normalImage.isEmpty()) {
        return;
    }
    ui::OptionButton* option = SelectOption();
    if (option == nullptr) {
        return;
    }
    const QString& normal = synchronised_ ? pictures_.synchroNormalImage : pictures_.normalImage;
    const QString& selected =
        synchronised_ ? pictures_.synchroSelectedImage : pictures_.selectedImage;
    option->SetNormalImage(normal);
    option->SetDisabledImage(normal);
    option->SetSelectedImage(selected);
    ui::SetToolTipId(option, pictures_.tipTextId);
    // Several kinds listed side by side are told apart by name, not by picture alone.
    ui::SetTextId(ui::FindControl(this, QStringLiteral("device_name_label")), pictures_.nameTextId);
    setAccessibleName(ui::Text(pictures_.tipTextId));
}

void CDeviceOptionUI::Activate() {
    ui::SendNotify(this, QString::fromLatin1(ui::notify::kSelectChanged));
}

void CDeviceOptionUI::paintEvent(QPaintEvent*) {
    PaintStyledBackground(this);
}

}  // namespace appearance
