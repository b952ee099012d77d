// The commands on the macro list: create, rename, delete, import, export and revert.
#include <QLineEdit>

#include "devices/core/MouseDeviceCore.h"
#include "devices/page/PanelPage.h"
#include "keys/panel/KeySetControlUI.h"
#include "macros/MacroKeyBindings.h"
#include "macros/panel/ActionListView.h"
#include "macros/panel/MacroControlUI.h"
#include "ui/Dialogs.h"
#include "ui/LanguageTexts.h"
#include "ui/ListContainer.h"

namespace macropanel {
namespace {

constexpr char kMacroFileFilter[] = "Macro Files(*.mac)";

bool IsMouseOrKeyboard(int kind) {
    return kind == 1 || kind == 2 || kind == 6;
}

}  // namespace

void CMacroControlUI::CreateMacro() {
    const std::string name = library_.CreateMacro();
    if (name.empty()) {
        return;
    }
    // The library appended and selected the new macro.
    LoadNameList();
    SelectMacro(static_cast<int>(library_.Rows().size()) - 1);
    AfterNamesChanged();
}

void CMacroControlUI::RenameMacro() {
    const QString text = nameEdit_ != nullptr ? nameEdit_->text() : QString();
    const macros::RenameResult result = library_.RenameSelected(text.toStdString());
    QWidget* owner = page_ != nullptr ? page_->MainWindow() : nullptr;
    if (result.name == macros::CMacroLibrary::kRenameEmpty) {
        ui::CurrentDialogs().ShowMessage(owner, QStringLiteral("message_text_25"), 1);
        return;
    }
    if (result.index < 0) {
        return;
    }
    if (result.writeFailed) {
        ui::CurrentDialogs().ShowMessage(owner, QStringLiteral("macro_list_write_failed_text"), 1);
        return;
    }
    if (result.name.empty()) {
        ui::CurrentDialogs().ShowMessage(owner, QStringLiteral("message_text_5"), 1);
        return;
    }
    if (nameList_ != nullptr) {
        if (ui::ListElement* row = nameList_->ElementAt(result.index)) {
            if (auto* label = row->findChild<QWidget*>(QStringLiteral("macro_name_text"))) {
                ui::SetPlainText(label, QString::fromStdString(result.name));
            }
        }
    }
    if (nameEdit_ != nullptr) {
        nameEdit_->clear();
    }
    AfterNamesChanged();
}

void CMacroControlUI::DeleteMacro() {
    if (page_ == nullptr || !IsMouseOrKeyboard(page_->Core().GetDeviceKind())) {
        return;
    }
    const int index = library_.Selected();
    if (index < 0) {
        return;
    }
    QWidget* owner = page_->MainWindow();
    if (ui::CurrentDialogs().ShowMessage(owner, QStringLiteral("message_text_4"), 2) != 1) {
        return;
    }
    auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&page_->Core());
    std::vector<KeyListEntry> keys;
    if (mouse != nullptr) {
        keys = mouse->GetKeyList();
    }
    if (macros::AnyKeyUsesMacro(keys, index) &&
        ui::CurrentDialogs().ShowMessage(owner, QStringLiteral("message_text_2"), 2) != 1) {
        return;
    }
    const bool keysChanged = macros::RebindKeysAfterMacroDelete(keys, index);
    if (library_.DeleteSelected() < 0) {
        return;
    }
    // The library selected row 0 without loading it; an empty action list there would be saved
    // over that macro's events by the next command, so its events are shown.
    LoadNameList();
    if (!library_.Rows().empty()) {
        SelectMacro(0);
    }
    if (keysChanged) {
        StoreReboundKeys(std::move(keys));
    }
    AfterNamesChanged();
}

void CMacroControlUI::StoreReboundKeys(std::vector<KeyListEntry> keys) {
    auto* mouse = dynamic_cast<devices::CMouseDeviceCore*>(&page_->Core());
    if (mouse == nullptr) {
        return;
    }
    const std::vector<KeyListEntry> before = mouse->GetKeyList();
    for (std::size_t i = 0; i < keys.size() && i < before.size(); ++i) {
        if (keys[i].assignment != before[i].assignment) {
            mouse->SetKeyAssignment(static_cast<int>(i), keys[i].assignment);
        }
    }
    mouse->SaveProfile();
    // Macro numbers above the deleted one moved down: the device's macro image must move with
    // the keys that run them.
    bool anyBound = false;
    for (const KeyListEntry& entry : keys) {
        anyBound = anyBound || macros::BoundMacroNumber(entry.assignment).has_value();
    }
    if (anyBound) {
        page_->SendMacros();
    }
    mouse->WriteKeys(0);
    if (keypanel::CKeySetControlUI* keyPanel = page_->KeySetPanel()) {
        keyPanel->Refresh();
    }
}

void CMacroControlUI::ImportMacro() {
    QWidget* owner = page_ != nullptr ? page_->MainWindow() : nullptr;
    const QString path = ui::CurrentDialogs().GetOpenFileName(owner, QString(), QString(),
                                                              QLatin1String(kMacroFileFilter));
    if (path.isEmpty()) {
        return;
    }
    const std::string name = library_.Import(path.toStdString());
    if (name.empty()) {
        return;
    }
    const int index = static_cast<int>(library_.Rows().size()) - 1;
    LoadNameList();
    SelectMacro(index);
    AfterNamesChanged();
}

void CMacroControlUI::ExportMacro() {
    const int index = library_.Selected();
    if (index < 0) {
        return;
    }
    QWidget* owner = page_ != nullptr ? page_->MainWindow() : nullptr;
    const QString suggested =
        QString::fromStdString(library_.Rows()[static_cast<std::size_t>(index)].name) +
        QStringLiteral(".mac");
    const QString path = ui::CurrentDialogs().GetSaveFileName(owner, QString(), suggested,
                                                              QLatin1String(kMacroFileFilter));
    if (path.isEmpty()) {
        return;
    }
    library_.ExportSelected(path.toStdString());
}

void CMacroControlUI::CancelEdits() {
    if (library_.Selected() < 0) {
        return;
    }
    library_.LoadSelected();
    ShowSelectedActions();
}

void CMacroControlUI::AfterNamesChanged() {
    if (page_ == nullptr) {
        return;
    }
    page_->Core().ReloadNameLists();
    page_->RefreshNameLists();
    if (keypanel::CKeySetControlUI* keyPanel = page_->KeySetPanel()) {
        keyPanel->Refresh();
    }
}

}  // namespace macropanel
