#include "profiles/panel/DeviceProfileUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <array>

#include "profiles/panel/ProfileDevice.h"
#include "ui/ControlLookup.h"
#include "ui/ControlState.h"
#include "ui/Dialogs.h"

namespace profilepanel {
namespace {

constexpr int kKeyboard = 1;
constexpr int kMousePad = 3;
constexpr int kHeadset = 7;

constexpr std::array<const char*, 8> kTabs = {
    "deng_Op_tab",   "key_Op_tab",        "macro_Op_tab", "system_Op_tab",
    "cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CDeviceProfileUI::CDeviceProfileUI(QWidget* root, IProfileDevice* device)
    : root_(root), device_(device) {}

void CDeviceProfileUI::SetDeviceKind(int kind) {
    deviceKind_ = kind;
    list_.SetDeviceKind(kind);
}

void CDeviceProfileUI::SetFolders(std::string dataFolder, std::string defaultProfile) {
    list_.SetFolders(std::move(dataFolder), std::move(defaultProfile));
}

QWidget* CDeviceProfileUI::Control(const char* name) const {
    return root_ != nullptr ? ui::FindControl(root_, QString::fromLatin1(name)) : nullptr;
}

QComboBox* CDeviceProfileUI::Combo() const {
    return qobject_cast<QComboBox*>(Control("device_profile_combo"));
}

QLineEdit* CDeviceProfileUI::NameEdit() const {
    return qobject_cast<QLineEdit*>(Control("device_profile_name_edit"));
}

void CDeviceProfileUI::ShowEntries() {
    QComboBox* combo = Combo();
    if (combo == nullptr) {
        return;
    }
    const std::vector<CProfileList::Entry>& entries = list_.Entries();
    const int count = static_cast<int>(entries.size());
    if (combo->count() != count) {
        const int was = combo->currentIndex();
        combo->clear();
        for (const CProfileList::Entry& entry : entries) {
            combo->addItem(Utf8(entry.name), Utf8(entry.name));
        }
        combo->setCurrentIndex(std::min(was, count - 1));
        return;
    }
    for (int i = 0; i < count; ++i) {
        const QString name = Utf8(entries[static_cast<std::size_t>(i)].name);
        if (combo->itemText(i) != name) {
            combo->setItemText(i, name);
            combo->setItemData(i, name);
        }
    }
}

void CDeviceProfileUI::LoadProfileList() {
    list_.Load();
    if (QComboBox* combo = Combo()) {
        combo->clear();
    }
    ShowEntries();
    SelectProfile(list_.Selected(), false);

    std::vector<const char*> hidden;
    if (deviceKind_ == kKeyboard) {
        hidden = {"cursor_Op_tab"};
    } else if (deviceKind_ == kMousePad || deviceKind_ == kHeadset) {
        hidden = {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"};
    }
    for (const char* name : hidden) {
        if (QWidget* tab = Control(name)) {
            tab->setVisible(false);
        }
    }
    if (deviceKind_ == kHeadset) {
        for (const char* name : {"6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"}) {
            if (QWidget* tab = Control(name)) {
                tab->setVisible(true);
            }
        }
    }
}

void CDeviceProfileUI::SelectProfile(int index, bool fireEvent) {
    QComboBox* combo = Combo();
    if (combo != nullptr && index >= 0 && index < combo->count()) {
        ui::SetComboIndex(combo, index, fireEvent ? ui::Notifying::Yes : ui::Notifying::No);
        SetNameEditText(combo->itemText(index));
    }
    if (!list_.Select(index)) {
        // The entry went away (another panel of this kind changed the list): show what is left.
        ShowEntries();
    }
}

int CDeviceProfileUI::GetSelectedIndex() const {
    QComboBox* combo = Combo();
    return combo != nullptr ? combo->currentIndex() : -1;
}

QString CDeviceProfileUI::GetNameEditText() const {
    QLineEdit* edit = NameEdit();
    return edit != nullptr ? edit->text() : QString();
}

void CDeviceProfileUI::SetNameEditText(const QString& text) {
    if (QLineEdit* edit = NameEdit()) {
        edit->setText(text);
    }
}

void CDeviceProfileUI::ShowProfileMenu(bool show) {
    if (QWidget* menu = Control("profile_menu_layout")) {
        menu->setVisible(show);
    }
}

bool CDeviceProfileUI::IsProfileMenuVisible() const {
    QWidget* menu = Control("profile_menu_layout");
    return menu != nullptr && !menu->isHidden();
}

void CDeviceProfileUI::ShowLightLayout(bool show) {
    if (QWidget* light = Control("deng_layout_control")) {
        light->setVisible(show);
    }
}

void CDeviceProfileUI::SelectTab(int tab) {
    if (tab < 1 || tab > static_cast<int>(kTabs.size())) {
        return;
    }
    for (int i = 0; i < static_cast<int>(kTabs.size()); ++i) {
        if (auto* button = qobject_cast<QAbstractButton*>(Control(kTabs[i]))) {
            ui::SetSelected(button, i == tab - 1);
        }
    }
}

void CDeviceProfileUI::ShowNotice(const char* textId, const QStringList& args) const {
    ui::CurrentDialogs().ShowMessage(root_ != nullptr ? root_->window() : nullptr,
                                     QString::fromLatin1(textId), 1, args);
}

void CDeviceProfileUI::ReloadDevice(bool validateMacros) {
    if (device_ == nullptr) {
        return;
    }
    device_->LoadProfileState();
    if (validateMacros) {
        device_->ValidateMacroKeys();
    }
    device_->RefreshControls();
    device_->WriteSettings();
    SendMacrosAndKeys();
}

void CDeviceProfileUI::SendMacrosAndKeys() {
    const int result = device_->DownloadMacros();
    if (result == -1) {
        ShowNotice("message_text_7");
    } else if (result > 0) {
        ShowNotice("message_text_16", {QString::number(result)});
    }
    device_->WriteKeys(0);
}

void CDeviceProfileUI::SwitchToSelectedProfile() {
    SelectProfile(GetSelectedIndex(), false);
    if (device_ != nullptr) {
        device_->SetProfileId(GetCurrentProfileId());
    }
    ReloadDevice(true);
}

void CDeviceProfileUI::AddProfile() {
    if (Combo() == nullptr) {
        return;
    }
    const int added = list_.Add();
    if (added < 0) {
        return;
    }
    ShowEntries();
    // The list file now names the new profile as selected: the drop-down shows it, and the
    // device takes it after the usual rest, as with any choice in the drop-down.
    SelectProfile(added, true);
}

void CDeviceProfileUI::DeleteProfile() {
    QComboBox* combo = Combo();
    if (combo == nullptr) {
        return;
    }
    const int next = list_.Delete(GetSelectedIndex());
    if (next < 0) {
        return;
    }
    ShowEntries();
    // The device must not keep the deleted profile: its next save would bring the file back
    // outside the list. It takes the new selection, in step with the drop-down list.
    ui::SetComboIndex(combo, next, ui::Notifying::No);
    SwitchToSelectedProfile();
}

void CDeviceProfileUI::CopyProfile() {
    if (Combo() != nullptr && list_.Copy(GetSelectedIndex()) >= 0) {
        ShowEntries();
    }
}

void CDeviceProfileUI::RenameProfile(const QString& name) {
    const int selected = GetSelectedIndex();
    if (Combo() == nullptr || selected < 0) {
        return;
    }
    switch (list_.Rename(selected, name.toStdString())) {
        case CProfileList::RenameResult::Empty:
            ShowNotice("message_text_25");
            break;
        case CProfileList::RenameResult::Taken:
            ShowNotice("message_text_5");
            break;
        case CProfileList::RenameResult::Renamed:
            SetNameEditText(name);
            ShowEntries();
            break;
        case CProfileList::RenameResult::Failed:
            ShowEntries();
            break;
    }
}

void CDeviceProfileUI::ResetProfile() {
    const int selected = GetSelectedIndex();
    if (selected < 0 || selected >= list_.Count()) {
        return;
    }
    if (ui::CurrentDialogs().ShowMessage(root_ != nullptr ? root_->window() : nullptr,
                                         QStringLiteral("message_text_22"), 2) != 1) {
        return;
    }
    if (!list_.Reset(selected) || device_ == nullptr) {
        return;
    }
    device_->LoadProfileState();
    device_->RefreshControls();
    device_->WriteSettings();
    if (deviceKind_ != kMousePad && deviceKind_ != kHeadset) {
        SendMacrosAndKeys();
    }
}

namespace {
const QString kProfileFilter = QStringLiteral("Profile Files(*.json *.Json *.JSON)");
}  // namespace

void CDeviceProfileUI::ImportProfile() {
    if (Combo() == nullptr || GetSelectedIndex() < 0 || list_.Count() >= kMaxProfiles) {
        return;
    }
    const QString path = ui::CurrentDialogs().GetOpenFileName(
        root_ != nullptr ? root_->window() : nullptr, QString(), QString(), kProfileFilter);
    if (!path.isEmpty() && list_.Import(path.toStdString()) >= 0) {
        ShowEntries();
    }
}

void CDeviceProfileUI::ExportProfile() {
    const int selected = GetSelectedIndex();
    if (selected < 0) {
        return;
    }
    const QString path = ui::CurrentDialogs().GetSaveFileName(
        root_ != nullptr ? root_->window() : nullptr, QString(), QString(), kProfileFilter);
    if (!path.isEmpty()) {
        list_.Export(selected, path.toStdString());
    }
}

void CDeviceProfileUI::OnControl(const QString& name) {
    auto is = [&name](const char* exact) {
        return name.compare(QLatin1String(exact), Qt::CaseInsensitive) == 0;
    };
    if (is("device_add_btn")) {
        AddProfile();
    } else if (is("device_sub_btn")) {
        DeleteProfile();
    } else if (is("device_copy_btn")) {
        CopyProfile();
    } else if (is("device_import_btn")) {
        ImportProfile();
    } else if (is("device_export_btn")) {
        ExportProfile();
    } else if (is("device_reset_btn")) {
        ResetProfile();
    } else if (is("device_profile_edit_save_btn")) {
        RenameProfile(GetNameEditText());
    } else if (name == QLatin1String("profile_fun_spread_btn")) {
        ShowProfileMenu(!IsProfileMenuVisible());
    }
}

}  // namespace profilepanel
