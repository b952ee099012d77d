// Recording: the lock of the panel and the window, the capture hook and the recorded events.
#include <QAbstractButton>
#include <QHideEvent>
#include <QLineEdit>

#include "devices/page/PanelPage.h"
#include "macros/MouseEventTable.h"
#include "macros/hook/CaptureHookMessage.h"
#include "macros/panel/ActionListView.h"
#include "macros/panel/MacroControlUI.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/ListContainer.h"

namespace macropanel {
namespace {

using macros::editing::Insertion;
using macros::editing::PauseMode;

std::optional<Insertion> InsertionOf(int flag) {
    switch (flag) {
        case 4:
            return Insertion::Append;
        case 8:
            return Insertion::Before;
        case 16:
            return Insertion::After;
        case 32:
            return Insertion::Replace;
        default:
            return std::nullopt;
    }
}

// The list areas ignore the mouse (the whole subtree), so the selection cannot change.
void SetMouseInput(QWidget* widget, bool on) {
    if (widget != nullptr) {
        widget->setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    }
}

}  // namespace

void CMacroControlUI::StartRecording(int mode, int flags) {
    if (page_ == nullptr || library_.Selected() < 0 || !InsertionOf(flags)) {
        return;
    }
    PauseMode pause = PauseMode::None;
    if (mode == 0) {
        pause = checkTime_ != nullptr && checkTime_->isChecked() ? PauseMode::Constant
                                                                 : PauseMode::Measured;
    } else if (mode == 1 || mode == 2 || mode == 3) {
        pause = static_cast<PauseMode>(mode);
    }
    SyncDelaysFromView();
    recorder_.Start(pause, Now());
    if (pause == PauseMode::Constant && fixedTimeEdit_ != nullptr) {
        if (auto shown = recorder_.ReadConstantDelay(fixedTimeEdit_->text().toStdString())) {
            fixedTimeEdit_->setText(QString::fromStdString(*shown));
            fixedTimeEdit_->setCursorPosition(static_cast<int>(fixedTimeEdit_->text().size()));
        }
    }
    SetRecordingLock(true);
    recording_ = true;
    recordingStart_ = Now();
    ShowElapsed();
    ui::SetTimer(this, kElapsedTimerId, kElapsedPeriodMs);
    capture::SendCaptureHookInstall(page_->MainWindow(), flags);
    page_->SetRecordingLock(true);
}

void CMacroControlUI::StopRecording() {
    const bool was = recording_;
    recording_ = false;
    SetRecordingLock(false);
    if (page_ != nullptr && was) {
        capture::SendCaptureHookMessage(page_->MainWindow(), 0);
        page_->SetRecordingLock(false);
    }
    ui::KillTimer(this, kScrollTimerId);
    ui::KillTimer(this, kElapsedTimerId);
    if (stopButton_ != nullptr) {
        ui::SetTextId(stopButton_, QStringLiteral("macro_panel_stop_text"));
    }
    if (was) {
        SaveMacro();
    }
}

void CMacroControlUI::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (recording_ && !event->spontaneous()) {
        StopRecording();
    }
}

void CMacroControlUI::SetRecordingLock(bool on) {
    SetMouseInput(ui::FindControl(this, QStringLiteral("macro_name_tab")), !on);
    SetMouseInput(ActionList(), !on);
    for (const char* name : {"macro_tab_macroaction_edit", "macro_tab_macrodelay_edit"}) {
        if (QWidget* control = ui::FindControl(this, QLatin1String(name))) {
            control->setEnabled(!on);
        }
    }
    // The two buttons take turns in one place: the one going away is hidden first (both shown
    // at once would squeeze the header), and the keyboard focus moves with it rather than on
    // to the next control.
    QAbstractButton* going = on ? startButton_ : stopButton_;
    QAbstractButton* coming = on ? stopButton_ : startButton_;
    const bool hadFocus = going != nullptr && going->hasFocus();
    if (going != nullptr) {
        going->setVisible(false);
    }
    if (coming != nullptr) {
        coming->setVisible(true);
        if (hadFocus) {
            coming->setFocus(Qt::OtherFocusReason);
        }
    }
}

void CMacroControlUI::OnRecordedKey(int insertion, const capture::KeyRecord& record) {
    const auto where = InsertionOf(insertion);
    if (!recording_ || !where) {
        return;
    }
    const bool down = capture::IsKeyDownMessage(record.message);
    const std::uint64_t now = Now();
    ApplyEdit(recorder_.OnKey(*where, down, record.key, RecordingList(), now), false);
}

macros::editing::ActionList CMacroControlUI::RecordingList() {
    // The delay fields were read when the recording started and take no input until it stops,
    // so the rows are current without reading thousands of fields per event.
    return macros::editing::ActionList{library_.Actions(), actions_ ? actions_->Selected() : -1};
}

void CMacroControlUI::ShowElapsed() {
    if (stopButton_ == nullptr) {
        return;
    }
    const std::uint64_t seconds = (Now() - recordingStart_) / 1000;
    const QString elapsed =
        QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    ui::SetPlainText(stopButton_,
                     ui::FormatText(QStringLiteral("macro_panel_stop_time_text"), {elapsed}));
}

bool CMacroControlUI::OnStopButton(const capture::MouseRecord& record) const {
    const bool left =
        record.message == macros::kMsgLeftDown || record.message == macros::kMsgLeftUp;
    if (!left || stopButton_ == nullptr || !stopButton_->isVisible()) {
        return false;
    }
    const QRect area(stopButton_->mapToGlobal(QPoint(0, 0)), stopButton_->size());
    return area.contains(record.screenX, record.screenY);
}

void CMacroControlUI::OnRecordedMouse(int insertion, const capture::MouseRecord& record) {
    const auto where = InsertionOf(insertion);
    if (!recording_ || !where) {
        return;
    }
    const std::uint64_t now = Now();
    ApplyEdit(recorder_.OnMouse(*where, record.message, record.xButton, OnStopButton(record),
                                RecordingList(), now),
              false);
}

}  // namespace macropanel
