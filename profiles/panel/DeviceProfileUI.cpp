#include "profiles/panel/DeviceProfileUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

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

QString Utf8(const Json::Value& value) {
    return value.isString() ? QString::fromStdString(value.asString()) : QString();
}

Json::Value Entry(const QString& name, const std::string& id) {
    Json::Value entry(Json::objectValue);
    entry["profilename"] = name.toStdString();
    entry["profileUUID"] = id;
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    return entry;
}

}  // namespace

std::string CDeviceProfileUI::NewId() const {
    // Ids have millisecond resolution; two profiles made within one millisecond must still get
    // files of their own, or the second would overwrite the first.
    const std::string stamp = json_.MakeTimeStamp();
    auto taken = [this](const std::string& id) {
        for (const Json::Value& entry : list_["profilelist"]) {
            if (entry["profileUUID"].isString() && entry["profileUUID"].asString() == id) {
                return true;
            }
        }
        std::error_code ignored;
        return std::filesystem::exists(ProfilePath(id), ignored);
    };
    std::string id = stamp;
    for (int n = 1; taken(id); ++n) {
        id = stamp + "_" + std::to_string(n);
    }
    return id;
}

CDeviceProfileUI::CDeviceProfileUI(QWidget* root, IProfileDevice* device)
    : root_(root), device_(device) {}

void CDeviceProfileUI::SetFolders(std::string dataFolder, std::string defaultProfile) {
    dataFolder_ = std::move(dataFolder);
    defaultProfile_ = std::move(defaultProfile);
}

QWidget* CDeviceProfileUI::Control(const char* name) const {
    return root_ != nullptr ? ui::FindControl(root_, QString::fromLatin1(name)) : nullptr;
}

QComboBox* CDeviceProfileUI::Combo() {
    return qobject_cast<QComboBox*>(Control("device_profile_combo"));
}

QLineEdit* CDeviceProfileUI::NameEdit() const {
    return qobject_cast<QLineEdit*>(Control("device_profile_name_edit"));
}

void CDeviceProfileUI::LoadProfileList() {
    list_ = json_.readjsonValue(ListPath());
    const bool usable =
        list_.isObject() && list_["profilelist"].isArray() && !list_["profilelist"].empty();
    if (!usable) {
        // A missing or broken list is replaced by a fresh one-entry list.
        std::error_code ignored;
        std::filesystem::create_directories(dataFolder_, ignored);
        list_ = Json::Value(Json::objectValue);
        const std::string id = NewId();
        list_ = Json::Value(Json::objectValue);
        list_["profilelist"] = Json::Value(Json::arrayValue);
        list_["profilelist"].append(Entry(QStringLiteral("profile1"), id));
        list_["profileselect"] = 0;
        json_.writejsonFile(ListPath(), list_);
        WriteProfileFile(json_.readjsonValue(defaultProfile_), "profile1", id);
    }
    QComboBox* combo = Combo();
    if (combo != nullptr) {
        combo->clear();
        for (const Json::Value& entry : list_["profilelist"]) {
            const QString name = Utf8(entry["profilename"]);
            combo->addItem(name, name);
        }
    }
    const int count = static_cast<int>(list_["profilelist"].size());
    const int selected = list_["profileselect"].isInt() ? list_["profileselect"].asInt() : 0;
    SelectProfile(std::clamp(selected, 0, count - 1), false);

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
    Json::Value stored = json_.readjsonValue(ListPath());
    if (stored.isObject() && stored["profilelist"].isArray()) {
        list_ = stored;
    }
    const Json::Value& entries = list_["profilelist"];
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return;
    }
    list_["profileselect"] = index;
    const Json::Value& id = entries[index]["profileUUID"];
    currentId_ = id.isString() ? id.asString() : std::string();
    json_.writejsonFile(ListPath(), list_);
}

int CDeviceProfileUI::GetSelectedIndex() const {
    auto* combo = root_ != nullptr
                      ? ui::FindControlAs<QComboBox>(root_, QStringLiteral("device_profile_combo"))
                      : nullptr;
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

void CDeviceProfileUI::WriteProfileFile(Json::Value profile, const std::string& name,
                                        const std::string& id) {
    if (!profile.isObject()) {
        // Without a default profile the device's profile data recreates the file on load.
        return;
    }
    profile["profilename"] = name;
    profile["profileUUID"] = id;
    json_.writejsonFile(ProfilePath(id), profile);
}

bool CDeviceProfileUI::NameTaken(const QString& name, int except) const {
    auto* combo = root_ != nullptr
                      ? ui::FindControlAs<QComboBox>(root_, QStringLiteral("device_profile_combo"))
                      : nullptr;
    if (combo == nullptr) {
        return false;
    }
    for (int i = 0; i < combo->count(); ++i) {
        if (i != except && combo->itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

std::string CDeviceProfileUI::AppendEntry(const QString& name, bool select) {
    if (QComboBox* combo = Combo()) {
        combo->addItem(name, name);
    }
    Json::Value stored = json_.readjsonValue(ListPath());
    if (stored.isObject() && stored["profilelist"].isArray()) {
        list_ = stored;
    }
    const std::string id = NewId();
    list_["profilelist"].append(Entry(name, id));
    if (select) {
        list_["profileselect"] = static_cast<int>(list_["profilelist"].size()) - 1;
    }
    json_.writejsonFile(ListPath(), list_);
    return id;
}

void CDeviceProfileUI::AddProfile() {
    QComboBox* combo = Combo();
    if (combo == nullptr || combo->count() >= kMaxProfiles) {
        return;
    }
    int k = 1;
    QString name = QStringLiteral("profile%1").arg(k);
    while (NameTaken(name, -1)) {
        name = QStringLiteral("profile%1").arg(++k);
    }
    const std::string id = AppendEntry(name, true);
    WriteProfileFile(json_.readjsonValue(defaultProfile_), name.toStdString(), id);
}

void CDeviceProfileUI::DeleteProfile() {
    QComboBox* combo = Combo();
    const int selected = GetSelectedIndex();
    if (combo == nullptr || selected < 0 || combo->count() <= 1) {
        return;
    }
    Json::Value stored = json_.readjsonValue(ListPath());
    if (stored.isObject() && stored["profilelist"].isArray()) {
        list_ = stored;
    }
    Json::Value removed;
    if (!list_["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(selected), &removed)) {
        return;
    }
    const int next = selected == 0 ? 0 : selected - 1;
    if (removed["profileUUID"].isString()) {
        const std::string id = removed["profileUUID"].asString();
        // Only a plain id names a file of this folder.
        if (id.find('/') == std::string::npos && id.find("..") == std::string::npos) {
            std::error_code ignored;
            std::filesystem::remove(ProfilePath(id), ignored);
        }
    }
    list_["profileselect"] = next;
    json_.writejsonFile(ListPath(), list_);
    combo->removeItem(selected);
    // The device must not keep the deleted profile: its next save would bring the file back
    // outside the list. It takes the new selection, in step with the drop-down list.
    ui::SetComboIndex(combo, next, ui::Notifying::No);
    SwitchToSelectedProfile();
}

void CDeviceProfileUI::CopyProfile() {
    QComboBox* combo = Combo();
    const int selected = GetSelectedIndex();
    if (combo == nullptr || selected < 0 || combo->count() >= kMaxProfiles) {
        return;
    }
    const Json::Value source = list_["profilelist"][selected]["profileUUID"];
    QString name = combo->itemText(selected) + QStringLiteral(" copy");
    while (NameTaken(name, -1)) {
        name += QStringLiteral(" copy");
    }
    const std::string id = AppendEntry(name, false);
    if (source.isString()) {
        WriteProfileFile(json_.readjsonValue(ProfilePath(source.asString())), name.toStdString(),
                         id);
    }
}

void CDeviceProfileUI::RenameProfile(const QString& name) {
    QComboBox* combo = Combo();
    const int selected = GetSelectedIndex();
    if (combo == nullptr || selected < 0) {
        return;
    }
    if (name.isEmpty()) {
        ShowNotice("message_text_25");
        return;
    }
    if (NameTaken(name, selected)) {
        ShowNotice("message_text_5");
        return;
    }
    combo->setItemText(selected, name);
    combo->setItemData(selected, name);
    SetNameEditText(name);
    Json::Value stored = json_.readjsonValue(ListPath());
    if (stored.isObject() && stored["profilelist"].isArray()) {
        list_ = stored;
    }
    Json::Value& entry = list_["profilelist"][selected];
    entry["profilename"] = name.toStdString();
    json_.writejsonFile(ListPath(), list_);
    if (entry["profileUUID"].isString()) {
        const std::string path = ProfilePath(entry["profileUUID"].asString());
        Json::Value profile = json_.readjsonValue(path);
        if (profile.isObject()) {
            profile["profilename"] = name.toStdString();
            json_.writejsonFile(path, profile);
        }
    }
}

void CDeviceProfileUI::ResetProfile() {
    const int selected = GetSelectedIndex();
    if (selected < 0 || selected >= static_cast<int>(list_["profilelist"].size())) {
        return;
    }
    if (ui::CurrentDialogs().ShowMessage(root_ != nullptr ? root_->window() : nullptr,
                                         QStringLiteral("message_text_22"), 2) != 1) {
        return;
    }
    const Json::Value& entry = list_["profilelist"][selected];
    if (!entry["profileUUID"].isString()) {
        return;
    }
    const std::string id = entry["profileUUID"].asString();
    Json::Value fresh = json_.readjsonValue(defaultProfile_);
    if (!fresh.isObject()) {
        return;  // no default to reset to: the profile stays as it is
    }
    if (deviceKind_ == kHeadset) {
        // User equalisers survive a reset.
        const Json::Value current = json_.readjsonValue(ProfilePath(id));
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            if (current.isObject() && current["Device"].isArray() && !current["Device"].empty() &&
                fresh["Device"].isArray() && !fresh["Device"].empty()) {
                fresh["Device"][0][key] = current["Device"][0][key];
            }
        }
    }
    WriteProfileFile(fresh, entry["profilename"].asString(), id);
    if (device_ == nullptr) {
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
    QComboBox* combo = Combo();
    if (combo == nullptr || GetSelectedIndex() < 0 || combo->count() >= kMaxProfiles) {
        return;
    }
    const QString path = ui::CurrentDialogs().GetOpenFileName(
        root_ != nullptr ? root_->window() : nullptr, QString(), QString(), kProfileFilter);
    if (path.isEmpty()) {
        return;
    }
    Json::Value imported = json_.readjsonValue(path.toStdString());
    if (!imported.isObject() || !imported["profilename"].isString() ||
        imported["profileUUID"].isNull()) {
        return;
    }
    const QString base = QString::fromStdString(imported["profilename"].asString());
    QString name = base.isEmpty() ? QStringLiteral("profile") : base;
    for (int k = 1; NameTaken(name, -1); ++k) {
        name += QStringLiteral("(%1)").arg(k);
    }
    const std::string id = AppendEntry(name, false);
    WriteProfileFile(imported, name.toStdString(), id);
}

void CDeviceProfileUI::ExportProfile() {
    const int selected = GetSelectedIndex();
    if (selected < 0) {
        return;
    }
    const QString path = ui::CurrentDialogs().GetSaveFileName(
        root_ != nullptr ? root_->window() : nullptr, QString(), QString(), kProfileFilter);
    if (path.isEmpty()) {
        return;
    }
    Json::Value stored = json_.readjsonValue(ListPath());
    if (stored.isObject() && stored["profilelist"].isArray()) {
        list_ = stored;
    }
    const Json::Value& id = list_["profilelist"][selected]["profileUUID"];
    if (!id.isString()) {
        return;
    }
    const Json::Value profile = json_.readjsonValue(ProfilePath(id.asString()));
    if (!profile.isNull()) {
        json_.writejsonFile(path.toStdString(), profile);
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
