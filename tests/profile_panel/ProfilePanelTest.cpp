// The profile panel over its own layout, a temporary data folder and a recording device.
#include <set>

#include "tests/profile_panel/ProfilePanelFixture.h"

namespace {

using profilepanel::CDeviceProfileUI;
using testsupport::ProfilePanelTest;

// In a folder without profile files a missing, unreadable or empty list is replaced by one
// entry made from the default profile.
TEST_F(ProfilePanelTest, AnUnusableListBecomesAFreshOneEntryList) {
    for (const char* content : {"", "not json {", "{\"profilelist\": [], \"profileselect\": 3}"}) {
        SCOPED_TRACE(content);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        if (*content != '\0') {
            testsupport::WriteFile(folder_ + "ProfileList.ini", content);
        }
        panel_->LoadProfileList();
        const Json::Value list = List();
        ASSERT_EQ(list["profilelist"].size(), 1u);
        const Json::Value& entry = list["profilelist"][0];
        EXPECT_EQ(entry["profilename"].asString(), "profile1");
        EXPECT_EQ(entry["profileislink"].asInt(), 0);
        EXPECT_EQ(entry["profilelinkmame"].asString(), "");
        EXPECT_EQ(list["profileselect"].asInt(), 0);
        EXPECT_EQ(panel_->GetCurrentProfileId().toStdString(), entry["profileUUID"].asString());
        Json::Value expected = json_.readjsonValue(defaultPath_);
        expected["profilename"] = "profile1";
        expected["profileUUID"] = entry["profileUUID"];
        EXPECT_EQ(Profile(entry), expected);
        EXPECT_EQ(Names(), QStringList{QStringLiteral("profile1")});
        EXPECT_EQ(panel_->GetNameEditText(), QStringLiteral("profile1"));
        std::filesystem::remove(folder_ + "ProfileList.ini");
    }
}

TEST_F(ProfilePanelTest, AStoredSelectionOutsideTheListIsClamped) {
    WriteList({QStringLiteral("a"), QStringLiteral("b")}, 9);
    panel_->LoadProfileList();
    EXPECT_EQ(panel_->GetSelectedIndex(), 1);
    EXPECT_EQ(panel_->GetCurrentProfileId(), QStringLiteral("id1"));
    EXPECT_EQ(List()["profileselect"].asInt(), 1);
}

// Timer 1055: the device takes the chosen profile and runs its reload-and-write sequence; the
// macro download's result decides the notice.
TEST_F(ProfilePanelTest, SwitchingPointsTheDeviceAtTheChosenProfile) {
    struct Case {
        int download;
        const char* notice;
        QStringList args;
    };
    for (const Case& c : {Case{0, "", {}}, Case{-1, "message_text_7", {}},
                          Case{12, "message_text_16", {QStringLiteral("12")}}}) {
        SCOPED_TRACE(c.download);
        WriteList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 0);
        panel_->LoadProfileList();
        device_.calls.clear();
        device_.downloadResult = c.download;
        Dialogs().asked.clear();
        Combo()->setCurrentIndex(2);
        panel_->SwitchToSelectedProfile();
        EXPECT_EQ(device_.calls.join(QLatin1Char(' ')),
                  QStringLiteral("id:id2 load validate refresh settings macros keys"));
        EXPECT_EQ(List()["profileselect"].asInt(), 2);
        EXPECT_EQ(panel_->GetNameEditText(), QStringLiteral("c"));
        if (*c.notice == '\0') {
            EXPECT_TRUE(Dialogs().asked.empty());
        } else {
            ASSERT_EQ(Dialogs().asked.size(), 1u);
            EXPECT_EQ(Dialogs().asked[0].text, QString::fromLatin1(c.notice));
            EXPECT_EQ(Dialogs().asked[0].args, c.args);
        }
    }
}

TEST_F(ProfilePanelTest, TabsAreHiddenByKindAndSelectedOneAtATime) {
    panel_->SetDeviceKind(3);  // mouse pad
    panel_->LoadProfileList();
    for (const char* hidden : {"cursor_Op_tab", "macro_Op_tab", "system_Op_tab", "key_Op_tab"}) {
        EXPECT_TRUE(ui::FindControl(window_, QString::fromLatin1(hidden))->isHidden()) << hidden;
    }
    EXPECT_FALSE(ui::FindControl(window_, QStringLiteral("deng_Op_tab"))->isHidden());
    auto* light = ui::FindControlAs<QAbstractButton>(window_, QStringLiteral("deng_Op_tab"));
    auto* keys = ui::FindControlAs<QAbstractButton>(window_, QStringLiteral("key_Op_tab"));
    panel_->SelectTab(2);
    EXPECT_TRUE(keys->isChecked());
    EXPECT_FALSE(light->isChecked());
    panel_->SelectTab(9);  // no such tab: nothing changes
    EXPECT_TRUE(keys->isChecked());
}

TEST_F(ProfilePanelTest, AddFillsTheFirstFreeNumberAndStopsAtFifty) {
    WriteList({QStringLiteral("Profile1"), QStringLiteral("profile3")}, 0);
    panel_->LoadProfileList();
    window_->Clear();
    panel_->AddProfile();
    EXPECT_EQ(Names().last(), QStringLiteral("profile2"));
    const Json::Value list = List();
    ASSERT_EQ(list["profilelist"].size(), 3u);
    // The drop-down shows what the list file says: the new profile, chosen as a user would
    // choose it (the notification starts the switch of the device).
    EXPECT_EQ(list["profileselect"].asInt(), 2);
    EXPECT_EQ(panel_->GetSelectedIndex(), 2);
    EXPECT_EQ(panel_->GetNameEditText(), QStringLiteral("profile2"));
    EXPECT_EQ(panel_->GetCurrentProfileId().toStdString(),
              list["profilelist"][2]["profileUUID"].asString());
    EXPECT_EQ(
        window_->Of(QStringLiteral("itemselect"), QStringLiteral("device_profile_combo")).size(),
        1u);
    const Json::Value added = Profile(list["profilelist"][2]);
    EXPECT_EQ(added["profilename"].asString(), "profile2");
    EXPECT_EQ(added["Device"][0]["DPI"].asInt(), 800);

    while (Combo()->count() < CDeviceProfileUI::kMaxProfiles) {
        panel_->AddProfile();
    }
    panel_->AddProfile();
    EXPECT_EQ(Combo()->count(), CDeviceProfileUI::kMaxProfiles);
    // Profiles made within one millisecond still have files of their own.
    std::set<std::string> ids;
    const Json::Value full = List();
    for (const Json::Value& entry : full["profilelist"]) {
        ids.insert(entry["profileUUID"].asString());
        EXPECT_EQ(Profile(entry)["profilename"], entry["profilename"]);
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(CDeviceProfileUI::kMaxProfiles));
}

TEST_F(ProfilePanelTest, CopyAppendsCopyUntilTheNameIsFreeAndTakesTheSettings) {
    WriteList({QStringLiteral("N"), QStringLiteral("n COPY")}, 0);
    panel_->LoadProfileList();
    panel_->CopyProfile();
    EXPECT_EQ(Names().last(), QStringLiteral("N copy copy"));
    const Json::Value list = List();
    EXPECT_EQ(list["profileselect"].asInt(), 0);
    const Json::Value copy = Profile(list["profilelist"][2]);
    EXPECT_EQ(copy["Device"][0]["DPI"].asInt(), 1000);
    EXPECT_EQ(copy["profileUUID"], list["profilelist"][2]["profileUUID"]);
}

TEST_F(ProfilePanelTest, DeleteRefusesTheLastProfileAndSelectsTheNeighbour) {
    WriteList({QStringLiteral("only")}, 0);
    panel_->LoadProfileList();
    panel_->DeleteProfile();
    EXPECT_EQ(Names().size(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder_ + "id0.Json"));

    WriteList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 0);
    panel_->LoadProfileList();
    panel_->DeleteProfile();
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(List()["profileselect"].asInt(), 0);
    EXPECT_EQ(List()["profilelist"][0]["profileUUID"].asString(), "id1");
    EXPECT_FALSE(std::filesystem::exists(folder_ + "id0.Json"));

    // The device leaves the deleted profile for the new selection, the one before it.
    WriteList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 1);
    panel_->LoadProfileList();
    device_.calls.clear();
    panel_->DeleteProfile();
    EXPECT_EQ(panel_->GetSelectedIndex(), 0);
    EXPECT_EQ(List()["profileselect"].asInt(), 0);
    EXPECT_EQ(panel_->GetCurrentProfileId(), QStringLiteral("id0"));
    EXPECT_TRUE(device_.calls.startsWith(QStringLiteral("id:id0")));
}

TEST_F(ProfilePanelTest, ResettingAHeadsetProfileKeepsItsUserEqualisers) {
    panel_->SetDeviceKind(7);
    WriteList({QStringLiteral("h")}, 0);
    Json::Value profile = json_.readjsonValue(folder_ + "id0.Json");
    profile["Device"][0]["CustomEQNameInfo"][0] = "Mine";
    profile["Device"][0]["CustomEQHzValueInfo"][0] = 7;
    json_.writejsonFile(folder_ + "id0.Json", profile);
    panel_->LoadProfileList();
    panel_->ResetProfile();
    const Json::Value reset = json_.readjsonValue(folder_ + "id0.Json");
    EXPECT_EQ(reset["Device"][0]["DPI"].asInt(), 800);
    EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"][0].asString(), "Mine");
    EXPECT_EQ(reset["Device"][0]["CustomEQHzValueInfo"][0].asInt(), 7);
}

TEST_F(ProfilePanelTest, RenameChecksTheNameAndKeepsListAndFileInStep) {
    WriteList({QStringLiteral("a"), QStringLiteral("b")}, 1);
    panel_->LoadProfileList();
    panel_->RenameProfile(QString());
    panel_->RenameProfile(QStringLiteral("A"));
    ASSERT_EQ(Dialogs().asked.size(), 2u);
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("message_text_25"));
    EXPECT_EQ(Dialogs().asked[1].text, QStringLiteral("message_text_5"));
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    panel_->RenameProfile(QStringLiteral("B"));  // its own name in other letters is allowed
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("a"), QStringLiteral("B")}));
    EXPECT_EQ(List()["profilelist"][1]["profilename"].asString(), "B");
    EXPECT_EQ(Profile(List()["profilelist"][1])["profilename"].asString(), "B");
}

TEST_F(ProfilePanelTest, ResetAsksFirstThenRestoresTheDefaultKeepingNameAndId) {
    WriteList({QStringLiteral("a")}, 0);
    panel_->LoadProfileList();
    device_.calls.clear();
    Dialogs().messageAnswers = {0};
    panel_->ResetProfile();
    EXPECT_EQ(Profile(List()["profilelist"][0])["Device"][0]["DPI"].asInt(), 1000);
    EXPECT_TRUE(device_.calls.isEmpty());

    panel_->ResetProfile();
    ASSERT_EQ(Dialogs().asked.size(), 2u);
    EXPECT_EQ(Dialogs().asked[1].text, QStringLiteral("message_text_22"));
    EXPECT_EQ(Dialogs().asked[1].buttonCount, 2);
    const Json::Value reset = Profile(List()["profilelist"][0]);
    EXPECT_EQ(reset["Device"][0]["DPI"].asInt(), 800);
    EXPECT_EQ(reset["profilename"].asString(), "a");
    EXPECT_EQ(reset["profileUUID"].asString(), "id0");
    EXPECT_EQ(device_.calls.join(QLatin1Char(' ')),
              QStringLiteral("load refresh settings macros keys"));
}

TEST_F(ProfilePanelTest, TheSpreadButtonTogglesTheProfileMenu) {
    panel_->LoadProfileList();
    EXPECT_FALSE(panel_->IsProfileMenuVisible());
    panel_->OnControl(QStringLiteral("profile_fun_spread_btn"));
    EXPECT_TRUE(panel_->IsProfileMenuVisible());
    panel_->OnControl(QStringLiteral("profile_fun_spread_btn"));
    EXPECT_FALSE(panel_->IsProfileMenuVisible());
}

}  // namespace

namespace {

TEST_F(ProfilePanelTest, ImportTakesAValidFileUnderAFreeNameAndANewId) {
    WriteList({QStringLiteral("N"), QStringLiteral("N(1)")}, 0);
    panel_->LoadProfileList();
    const std::string file = testsupport::MakeTempDir("import") + "/in.json";
    Json::Value value(Json::objectValue);
    value["profilename"] = "n";
    value["profileUUID"] = "../../elsewhere";
    value["Device"][0]["DPI"] = 3200;
    json_.writejsonFile(file, value);
    Dialogs().openAnswers = {QString::fromStdString(file)};
    panel_->ImportProfile();
    EXPECT_EQ(Names().last(), QStringLiteral("n(1)(2)"));
    const Json::Value list = List();
    ASSERT_EQ(list["profilelist"].size(), 3u);
    EXPECT_EQ(list["profileselect"].asInt(), 0);
    const std::string id = list["profilelist"][2]["profileUUID"].asString();
    EXPECT_EQ(id.find('/'), std::string::npos);  // the file's own id is never a path
    const Json::Value stored = Profile(list["profilelist"][2]);
    EXPECT_EQ(stored["Device"][0]["DPI"].asInt(), 3200);
    EXPECT_EQ(stored["profileUUID"].asString(), id);
}

// A bad file or a cancelled dialog changes neither the list nor the folder.
TEST_F(ProfilePanelTest, ImportOfABadFileChangesNothing) {
    WriteList({QStringLiteral("a")}, 0);
    panel_->LoadProfileList();
    const std::string before = testsupport::ReadFile(folder_ + "ProfileList.ini");
    const std::string dir = testsupport::MakeTempDir("import_bad");
    const std::vector<std::pair<const char*, const char*>> files = {
        {"broken.json", "{\"profilename\": "},
        {"noid.json", "{\"profilename\": \"x\", \"Device\": []}"},
        {"noname.json", "{\"profileUUID\": \"x\"}"},
        {"array.json", "[1, 2]"},
    };
    for (const auto& [name, text] : files) {
        testsupport::WriteFile(dir + "/" + name, text);
        Dialogs().openAnswers.push_back(QString::fromStdString(dir + "/" + name));
    }
    Dialogs().openAnswers.push_back(QString::fromStdString(dir + "/missing.json"));
    Dialogs().openAnswers.push_back(QString());
    while (!Dialogs().openAnswers.empty()) {
        panel_->ImportProfile();
    }
    EXPECT_EQ(Names(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(testsupport::ReadFile(folder_ + "ProfileList.ini"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2);
}

TEST_F(ProfilePanelTest, ExportWritesTheSelectedProfileUnchanged) {
    WriteList({QStringLiteral("a"), QStringLiteral("b")}, 1);
    panel_->LoadProfileList();
    const std::string out = testsupport::MakeTempDir("export") + "/out.json";
    Dialogs().saveAnswers = {QString::fromStdString(out)};
    panel_->ExportProfile();
    EXPECT_EQ(json_.readjsonValue(out), json_.readjsonValue(folder_ + "id1.Json"));
    panel_->ExportProfile();  // cancelled: nothing happens
}

}  // namespace
