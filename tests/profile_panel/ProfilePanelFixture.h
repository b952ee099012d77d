// The profile panel over its own layout, a temporary data folder and a recording device.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <filesystem>
#include <memory>

#include "profiles/JsonFile.h"
#include "profiles/panel/DeviceProfileUI.h"
#include "profiles/panel/ProfileDevice.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"

namespace testsupport {

using profilepanel::CDeviceProfileUI;

class RecordingDevice : public profilepanel::IProfileDevice {
public:
    QStringList calls;
    int downloadResult = 0;
    void SetProfileId(const QString& id) override { calls << QStringLiteral("id:") + id; }
    int LoadProfileState() override { return Record("load"); }
    void ValidateMacroKeys() override { Record("validate"); }
    void RefreshControls() override { Record("refresh"); }
    int WriteSettings() override { return Record("settings"); }
    int DownloadMacros() override {
        Record("macros");
        return downloadResult;
    }
    int WriteKeys(int profile) override { return Record(profile == 0 ? "keys" : "keys?"); }

private:
    int Record(const char* call) {
        calls << QString::fromLatin1(call);
        return 0;
    }
};

class ProfilePanelTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window_ = OpenWindow(QStringLiteral("XML/CustomControlXML/DeviceProfile.xml"));
        ASSERT_NE(window_, nullptr);
        folder_ = testsupport::MakeTempDir("profile_panel") + "/mouse/";
        std::filesystem::create_directories(folder_);
        defaultPath_ = testsupport::MakeTempDir("profile_default") + "/mouse.Json";
        Json::Value def(Json::objectValue);
        def["Device"][0]["DPI"] = 800;
        json_.writejsonFile(defaultPath_, def);
        panel_ = std::make_unique<CDeviceProfileUI>(window_, &device_);
        panel_->SetDeviceKind(2);
        panel_->SetFolders(folder_, defaultPath_);
    }

    Json::Value List() const { return json_.readjsonValue(folder_ + "ProfileList.ini"); }
    Json::Value Profile(const Json::Value& entry) const {
        return json_.readjsonValue(folder_ + entry["profileUUID"].asString() + ".Json");
    }
    QComboBox* Combo() const {
        return ui::FindControlAs<QComboBox>(window_, QStringLiteral("device_profile_combo"));
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < Combo()->count(); ++i) {
            names << Combo()->itemText(i);
        }
        return names;
    }
    // A list file with these names (ids "id0", "id1", ...) and their profile files.
    void WriteList(const QStringList& names, int select) {
        Json::Value list(Json::objectValue);
        for (int i = 0; i < names.size(); ++i) {
            Json::Value entry;
            entry["profilename"] = names[i].toStdString();
            entry["profileUUID"] = "id" + std::to_string(i);
            list["profilelist"].append(entry);
            Json::Value profile(Json::objectValue);
            profile["profilename"] = entry["profilename"];
            profile["profileUUID"] = entry["profileUUID"];
            profile["Device"][0]["DPI"] = 1000 + i;
            json_.writejsonFile(folder_ + "id" + std::to_string(i) + ".Json", profile);
        }
        list["profileselect"] = select;
        json_.writejsonFile(folder_ + "ProfileList.ini", list);
    }

    testsupport::RecordingWindow* window_ = nullptr;
    std::string folder_;
    std::string defaultPath_;
    CJsonFile json_;
    RecordingDevice device_;
    std::unique_ptr<CDeviceProfileUI> panel_;
};

}  // namespace testsupport
