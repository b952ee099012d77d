#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>

#include "profiles/ProfileList.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QWidget;

namespace profilepanel {

class IProfileDevice;

// The profile panel of a device page: shows the profile list (CProfileList: "ProfileList.ini" and
// one profile file per entry in the device data folder) in the drop-down list
// "device_profile_combo", runs the list operations from its buttons and points the device at the
// selected profile. Works on the controls of the loaded panel layout (found by name below root,
// looked up on first use).
class CDeviceProfileUI {
public:
    static constexpr int kMaxProfiles = CProfileList::kMaxProfiles;

    // root: the page (or the panel) holding the panel's controls; device may be null.
    CDeviceProfileUI(QWidget* root, IProfileDevice* device);

    void SetDeviceKind(int kind);
    // dataFolder ends in a separator; defaultProfile is the kind's default profile file.
    void SetFolders(std::string dataFolder, std::string defaultProfile);

    void LoadProfileList();
    void SelectProfile(int index, bool fireEvent);
    int GetSelectedIndex() const;
    QString GetCurrentProfileId() const { return QString::fromStdString(list_.CurrentId()); }
    QString GetNameEditText() const;
    void SetNameEditText(const QString& text);
    void ShowProfileMenu(bool show);
    bool IsProfileMenuVisible() const;
    void ShowLightLayout(bool show);
    // 1 "deng_Op_tab" ... 8 "Virtual7.1_Op_tab"; other numbers select nothing.
    void SelectTab(int tab);

    // Timer 1055: the device takes the profile chosen in the drop-down list.
    void SwitchToSelectedProfile();

    // A new profile from the default one, selected in the drop-down with the notification of a
    // user's choice, so the device switches to it after the usual rest.
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

    const CProfileList& List() const { return list_; }

private:
    QComboBox* Combo() const;
    QLineEdit* NameEdit() const;
    QWidget* Control(const char* name) const;
    // The drop-down items become the list's entries (unchanged items stay as they are).
    void ShowEntries();
    void ReloadDevice(bool validateMacros);
    // The macro image, then the key table; a failed or oversized image is told to the user.
    void SendMacrosAndKeys();
    void ShowNotice(const char* textId, const QStringList& args = {}) const;

    QPointer<QWidget> root_;
    IProfileDevice* device_;
    int deviceKind_ = 2;
    CProfileList list_;
};

}  // namespace profilepanel
