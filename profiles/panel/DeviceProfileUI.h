#pragma once

#include <json/json.h>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>

#include "profiles/JsonFile.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace profilepanel {

class IProfileDevice;

// The profile panel of a device page: keeps "ProfileList.ini" (JSON) and one profile file per
// entry in the device data folder, in step with the drop-down list "device_profile_combo", and
// points the device at the selected profile. Works on the controls of the loaded panel layout
// (found by name below root, looked up on first use).
class CDeviceProfileUI {
public:
    static constexpr int kMaxProfiles = 50;
    static constexpr char kListFile[] = "ProfileList.ini";

    // root: the page (or the panel) holding the panel's controls; device may be null.
    CDeviceProfileUI(QWidget* root, IProfileDevice* device);

    void SetDeviceKind(int kind) { deviceKind_ = kind; }
    // dataFolder ends in a separator; defaultProfile is the kind's default profile file.
    void SetFolders(std::string dataFolder, std::string defaultProfile);

    void LoadProfileList();
    void SelectProfile(int index, bool fireEvent);
    int GetSelectedIndex() const;
    QString GetCurrentProfileId() const { return QString::fromStdString(currentId_); }
    QString GetNameEditText() const;
    void SetNameEditText(const QString& text);
    void ShowProfileMenu(bool show);
    bool IsProfileMenuVisible() const;
    void ShowLightLayout(bool show);
    // 1 "deng_Op_tab" ... 8 "Virtual7.1_Op_tab"; other numbers select nothing.
    void SelectTab(int tab);

    // Timer 1055: the device takes the profile chosen in the drop-down list.
    void SwitchToSelectedProfile();

    void AddProfile();
    void DeleteProfile();
    void CopyProfile();
    void RenameProfile(const QString& name);
    void ResetProfile();
    // Through the installed dialogs; a file without "profilename" and "profileUUID" is ignored.
    void ImportProfile();
    void ExportProfile();

    // A control of the panel by name ("profile_fun_spread_btn", ...), routed by the main window.
    void OnControl(const QString& name);

    std::string ListPath() const { return dataFolder_ + kListFile; }
    std::string ProfilePath(const std::string& id) const { return dataFolder_ + id + ".Json"; }

private:
    QComboBox* Combo();
    QLineEdit* NameEdit() const;
    QWidget* Control(const char* name) const;
    // A new profile id: the time stamp, made unique within the list and the folder.
    std::string NewId() const;
    bool NameTaken(const QString& name, int except) const;
    // Appends a drop-down item and a list entry with a new id; returns the id.
    std::string AppendEntry(const QString& name, bool select);
    void WriteProfileFile(Json::Value profile, const std::string& name, const std::string& id);
    void ReloadDevice(bool validateMacros);
    // The macro image, then the key table; a failed or oversized image is told to the user.
    void SendMacrosAndKeys();
    void ShowNotice(const char* textId, const QStringList& args = {}) const;

    QPointer<QWidget> root_;
    IProfileDevice* device_;
    int deviceKind_ = 2;
    std::string dataFolder_;
    std::string defaultProfile_;
    std::string currentId_;
    Json::Value list_;
    CJsonFile json_;
};

}  // namespace profilepanel
