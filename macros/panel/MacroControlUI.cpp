#include "macros/panel/MacroControlUI.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <chrono>

#include "devices/core/MouseDeviceCore.h"
#include "devices/core/UsbDeviceCore.h"
#include "devices/page/PanelPage.h"
#include "macros/MacroKeyBindings.h"
#include "macros/panel/ActionListView.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LanguageTexts.h"
#include "ui/ListContainer.h"
#include "ui/PopupMenu.h"

namespace macropanel {
namespace {

constexpr char kActionMenuFile[] = "XML/Menus/macro_action_menu.xml";
constexpr int kNameRowHeight = 30;

// A row of "macro_name_list": the macro's name.
ui::ListElement* MakeNameRow(const std::string& name) {
    auto* row = new ui::ListElement;
    row->setObjectName(QStringLiteral("macro_name_item"));
    row->setFixedHeight(kNameRowHeight);
    auto* box = new QHBoxLayout(row);
    box->setContentsMargins(8, 0, 8, 0);
    auto* label = new QLabel(row);
    label->setObjectName(QStringLiteral("macro_name_text"));
    ui::SetPlainText(label, QString::fromStdString(name));
    box->addWidget(label);
    return row;
}

}  // namespace

CMacroControlUI::CMacroControlUI(QWidget* parent) : QWidget(parent) {
    ui::SetControlClass(this, QStringLiteral("MacroControlUI"));
}

// The page is being destroyed around the panel, so nothing is asked of it here; recorded
// events find no panel through the router any more.
CMacroControlUI::~CMacroControlUI() = default;

void CMacroControlUI::Attach(IPanelPage* page) {
    page_ = page;
    BindControls();
    LoadNameList();
}

void CMacroControlUI::Refresh() {
    // Macros belong to the device folder, not to a profile: reload only when it changed.
    if (page_ != nullptr && !recording_) {
        std::string folder = page_->Core().GetUserDataFolder();
        if (!folder.empty() && folder != library_.Folder()) {
            LoadNameList();
        }
    }
}

void CMacroControlUI::BindControls() {
    if (actions_) {
        return;
    }
    auto find = [this](const char* name) { return ui::FindControl(this, QLatin1String(name)); };
    nameList_ = qobject_cast<ui::ListContainer*>(find("macro_name_list"));
    actionLayout_ = find("macro_action_layout");
    nameEdit_ = qobject_cast<QLineEdit*>(find("macro_edit_macroname"));
    fixedTimeEdit_ = qobject_cast<QLineEdit*>(find("macro_fixed_time_edit"));
    checkTime_ = qobject_cast<QAbstractButton*>(find("macro_check_time"));
    startButton_ = qobject_cast<QAbstractButton*>(find("macro_btn_starredio"));
    stopButton_ = qobject_cast<QAbstractButton*>(find("macro_btn_stopredio"));
    actions_ = std::make_unique<CActionListView>(
        qobject_cast<ui::ListContainer*>(find("macro_action_list")),
        [this](QPoint globalPos) { ShowActionMenu(globalPos); });
    if (fixedTimeEdit_ != nullptr) {
        fixedTimeEdit_->setValidator(new QIntValidator(0, 65535, fixedTimeEdit_));
        fixedTimeEdit_->setMaxLength(5);
    }
    for (const char* name :
         {"mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit", "mouse_y_down_edit"}) {
        if (auto* edit = qobject_cast<QLineEdit*>(find(name))) {
            edit->setValidator(new QIntValidator(0, 255, edit));
            edit->setMaxLength(3);
        }
    }
    if (stopButton_ != nullptr) {
        stopButton_->setVisible(false);
    }
}

ui::ListContainer* CMacroControlUI::ActionList() const {
    return actions_ ? actions_->List() : nullptr;
}

void CMacroControlUI::SetClockForTesting(std::function<std::uint64_t()> clock) {
    clock_ = std::move(clock);
}

std::uint64_t CMacroControlUI::Now() const {
    if (clock_) {
        return clock_();
    }
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

void CMacroControlUI::LoadNameList() {
    if (page_ == nullptr) {
        return;
    }
    std::string folder = page_->Core().GetUserDataFolder();
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    library_.SetFolder(folder);
    library_.LoadList();
    if (nameList_ != nullptr) {
        nameList_->RemoveAll();
        for (const macros::MacroRow& row : library_.Rows()) {
            nameList_->Add(MakeNameRow(row.name));
        }
    }
    if (QWidget* hint = ui::FindControl(this, QStringLiteral("macro_list_empty_hint"))) {
        hint->setVisible(library_.Rows().empty());
    }
    ShowSelectedActions();
}

void CMacroControlUI::ShowSelectedActions() {
    if (actions_) {
        actions_->Reset(library_.Actions());
    }
    if (actionLayout_ != nullptr) {
        actionLayout_->setEnabled(library_.Selected() >= 0);
    }
}

void CMacroControlUI::SelectMacro(int index) {
    if (recording_ || index < 0 || index >= static_cast<int>(library_.Rows().size())) {
        return;
    }
    library_.Select(index);
    library_.LoadSelected();
    if (nameList_ != nullptr && nameList_->CurrentSel() != index) {
        nameList_->SelectItem(index);
    }
    ShowSelectedActions();
}

macros::editing::ActionList CMacroControlUI::EditableList() {
    SyncDelaysFromView();
    return macros::editing::ActionList{library_.Actions(), actions_ ? actions_->Selected() : -1};
}

void CMacroControlUI::SyncDelaysFromView() {
    if (actions_) {
        actions_->ReadDelays(library_.Actions());
    }
}

void CMacroControlUI::ApplyEdit(const macros::editing::ActionEdit& edit, bool allowSave) {
    if (actions_) {
        actions_->Apply(edit, library_.Actions());
    }
    if (edit.scrollToSelected) {
        ScheduleScroll();
    }
    if (allowSave && edit.save) {
        SaveMacro();
    }
}

void CMacroControlUI::SaveMacro() {
    if (library_.Selected() < 0) {
        return;
    }
    SyncDelaysFromView();
    if (!library_.SaveSelected()) {
        return;
    }
    if (actions_) {
        actions_->ShowDelays(library_.Actions());
    }
    // The device plays its own copy of the macro: a key that runs it must get the new events.
    if (SelectedMacroIsBound()) {
        page_->SendMacros();
    }
}

bool CMacroControlUI::SelectedMacroIsBound() const {
    if (page_ == nullptr) {
        return false;
    }
    auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&page_->Core());
    return mouse != nullptr && macros::AnyKeyUsesMacro(mouse->GetKeyList(), library_.Selected());
}

void CMacroControlUI::ShowActionMenu(QPoint globalPos) {
    if (recording_ || library_.Selected() < 0) {
        return;
    }
    ui::ShowPopupMenu(QLatin1String(kActionMenuFile), this, globalPos);
}

void CMacroControlUI::ScheduleScroll() {
    ui::SetTimer(this, kScrollTimerId, kScrollDelayMs, ui::TimerMode::SingleShot);
}

void CMacroControlUI::OnTimer(int id) {
    if (id == kElapsedTimerId) {
        ShowElapsed();
        return;
    }
    if (id != kScrollTimerId) {
        return;
    }
    ui::KillTimer(this, kScrollTimerId);
    if (actions_) {
        actions_->ScrollToSelected();
    }
}

}  // namespace macropanel
