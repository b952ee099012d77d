#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "macros/MacroLibrary.h"
#include "macros/editing/MacroRecorder.h"
#include "profiles/ProfileRecords.h"
#include "ui/ListContainer.h"
#include "ui/Timers.h"

class IPanelPage;
class QAbstractButton;
class QLineEdit;

namespace capture {
struct KeyRecord;
struct MouseRecord;
}  // namespace capture

namespace macropanel {

class CActionListView;

// The macro editor of a device page: the device's macro list, the action list of the selected
// macro and recording. The root of its layout file; the device page attaches it.
class CMacroControlUI : public QWidget, public ui::TimerHandler {
    Q_OBJECT
public:
    static constexpr int kScrollTimerId = 4101;
    static constexpr int kScrollDelayMs = 50;
    // The stop button shows how long the recording has run.
    static constexpr int kElapsedTimerId = 4102;
    static constexpr int kElapsedPeriodMs = 1000;

    explicit CMacroControlUI(QWidget* parent = nullptr);
    ~CMacroControlUI() override;

    // Once the page is configured and its profile chosen: the device folder's macro list.
    void Attach(IPanelPage* page);
    // The page's controls are shown again (profile switch, device read).
    void Refresh();

    // A click on one of the panel's buttons (the routed control name); false for other names.
    // Commands whose action ends by saving save here.
    bool RunCommand(std::string_view name);
    // A macro chosen in "macro_name_list": its actions are loaded.
    void SelectMacro(int index);
    // Saves the selected macro (and sends the macros to the device when a key runs it).
    void SaveMacro();
    // The inserts of the move buttons and of the action menu's mouse items; the caller saves.
    void InsertMove(std::string_view buttonName);
    void InsertMenuItem(std::string_view itemName);
    // Opens the action menu at a global position (a context request on an action row).
    void ShowActionMenu(QPoint globalPos);

    // Recording: mode 0 takes the pause mode from "macro_check_time"; flags are the hook's
    // insertion flags (4 append, 8 before, 16 after, 32 replace).
    void StartRecording(int mode, int flags);
    void StopRecording();
    bool IsRecording() const { return recording_; }
    void OnRecordedKey(int insertion, const capture::KeyRecord& record);
    void OnRecordedMouse(int insertion, const capture::MouseRecord& record);

    const macros::CMacroLibrary& Library() const { return library_; }
    ui::ListContainer* ActionList() const;
    ui::ListContainer* NameList() const { return nameList_; }

    // Test seam: the recording clock in milliseconds (default: a steady clock).
    void SetClockForTesting(std::function<std::uint64_t()> clock);

    // Timer 4101: the list scrolls to the selected row once a recorded event has settled.
    void OnTimer(int id) override;

protected:
    // A recording ends when the panel goes away (device gone, window closed): the capture would
    // otherwise keep swallowing the program's keys with no stop button to press.
    void hideEvent(QHideEvent* event) override;

private:
    void BindControls();
    void LoadNameList();
    void ShowSelectedActions();
    void ApplyEdit(const macros::editing::ActionEdit& edit, bool allowSave);
    macros::editing::ActionList EditableList();
    macros::editing::ActionList RecordingList();
    void SyncDelaysFromView();
    std::uint64_t Now() const;

    // Macro list commands.
    void CreateMacro();
    void RenameMacro();
    void DeleteMacro();
    void ImportMacro();
    void ExportMacro();
    void CancelEdits();
    void AfterNamesChanged();
    void StoreReboundKeys(std::vector<KeyListEntry> keys);
    bool SelectedMacroIsBound() const;

    void SetRecordingLock(bool on);
    bool OnStopButton(const capture::MouseRecord& record) const;
    void ScheduleScroll();
    void ShowElapsed();

    IPanelPage* page_ = nullptr;
    macros::CMacroLibrary library_;
    macros::editing::CMacroRecorder recorder_;
    std::unique_ptr<CActionListView> actions_;
    QPointer<ui::ListContainer> nameList_;
    QPointer<QWidget> actionLayout_;
    QPointer<QLineEdit> nameEdit_;
    QPointer<QLineEdit> fixedTimeEdit_;
    QPointer<QAbstractButton> checkTime_;
    QPointer<QAbstractButton> startButton_;
    QPointer<QAbstractButton> stopButton_;
    bool recording_ = false;
    std::uint64_t recordingStart_ = 0;
    std::function<std::uint64_t()> clock_;
};

}  // namespace macropanel
