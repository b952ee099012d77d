// What the mouse page's controls do to the profile and the device.
#include <json/json.h>

#include "devices/core/MouseDpiRules.h"
#include "profiles/JsonFile.h"
#include "tests/devices/CoreFixture.h"

namespace devicetest {
namespace {

TEST_F(MouseCoreTest, DpiEditTextBelowOneHundredOrEmptyGivesOneHundredOverStep) {
    OpenDevice();
    for (const char* text : {"50", "", "abc", "-300"}) {
        ASSERT_EQ(core->SetStageDpiFromText(1, text), 1) << text;
        EXPECT_EQ(core->GetDpiStages()[1].dpiX, 100 / sim::kMouseDpiStep) << text;
    }
    ASSERT_EQ(core->SetStageDpiFromText(1, "1600"), 1);
    EXPECT_EQ(core->GetDpiStages()[1].dpiX, 1600 / sim::kMouseDpiStep);
    EXPECT_EQ(core->GetDpiStageViews()[1].dpi, 1600);
    // Beyond the device's maximum the slider's limit holds.
    ASSERT_EQ(core->SetStageDpiFromText(1, "999999"), 1);
    EXPECT_EQ(core->GetDpiStages()[1].dpiX, sim::kMouseMaxDpiSlider);
}

TEST_F(MouseCoreTest, LastEnabledStageCannotBeSwitchedOff) {
    OpenDevice();
    ASSERT_EQ(core->GetDpiStages().size(), 4u);
    EXPECT_EQ(core->SetStageEnabled(0, false), 1);
    EXPECT_EQ(core->SetStageEnabled(1, false), 1);
    EXPECT_EQ(core->SetStageEnabled(2, false), 1);
    auto views = core->GetDpiStageViews();
    EXPECT_FALSE(views[3].checkEnabled);
    EXPECT_TRUE(views[0].checkEnabled);
    EXPECT_EQ(core->SetStageEnabled(3, false), 0);
    EXPECT_EQ(core->GetDpiStages()[3].enabled, 1);
    // Enabling any stage frees every check again.
    EXPECT_EQ(core->SetStageEnabled(1, true), 1);
    views = core->GetDpiStageViews();
    for (const auto& v : views) {
        EXPECT_TRUE(v.checkEnabled);
    }
    const Json::Value file = CJsonFile().readjsonValue(core->GetProfileFile());
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageDPIs"][0]["StageActive"].asInt(), 0);
}

TEST_F(MouseCoreTest, SystemSettingsReachOnlyTheProfile) {
    OpenDevice();
    core->SetPointerSpeed(7);
    core->SetPointerPrecision(true);
    core->SetDoubleClickTime(450);
    core->SetScrollsPage(true, 5);
    EXPECT_EQ(core->GetSystemSettings().scorllPage, 1);
    EXPECT_EQ(core->GetSystemSettings().wheelScorlllinse, 5);
    core->SetScrollSpeed(9);
    const devices::MouseSystemSettings s = core->GetSystemSettings();
    EXPECT_EQ(s.mouseSpeed, 7);
    EXPECT_EQ(s.pointerPrecision, 1);
    EXPECT_EQ(s.doubleClickTime, 450);
    EXPECT_EQ(s.wheelScorlllinse, 9);
    EXPECT_EQ(s.scorllPage, 0);
    EXPECT_TRUE(Firmware().ReceivedFrames().empty());
    const Json::Value stages =
        CJsonFile().readjsonValue(core->GetProfileFile())["Device"][0]["SystemStages"];
    EXPECT_EQ(stages["MouseSpeed"].asInt(), 7);
    EXPECT_EQ(stages["DoubleClickTime"].asInt(), 450);
}

TEST_F(MouseCoreTest, KeysBoundToMissingMacrosGetTheirDefaultBack) {
    OpenDevice();
    std::vector<KeyListEntry> keys = core->GetKeyList();
    ASSERT_GE(keys.size(), 3u);
    // Macro 0 with repeat count 7: the count says nothing about which macro runs.
    keys[1].assignment = {0x71, 0x00, 0x07};
    keys[2].assignment = {0x70, 0x01, 0x00};
    core->Profile().SetKeyList(keys);
    // One macro in the list.
    Json::Value list;
    Json::Value entry;
    entry["MacroName"] = "only";
    entry["Guid"] = "g0";
    list["MacroInfo"].append(entry);
    ASSERT_TRUE(CJsonFile().writejsonFile(core->DataFolder() + "macro.config", list));
    core->SaveProfile();
    core->LoadProfileState();
    core->ValidateMacroKeys();
    const auto after = core->GetKeyList();
    EXPECT_EQ(after[1].assignment, (KeyCode{0x71, 0x00, 0x07}));
    EXPECT_EQ(after[2].assignment, after[2].defaultAssignment);
    EXPECT_EQ(listener.keyInfoChanges, 1);
}

TEST_F(MouseCoreTest, KeyInfoListNamesEachButtonAndItsFunction) {
    OpenDevice();
    const auto rows = core->BuildKeyInfoList([](std::string_view id) { return std::string(id); });
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].button, 0);
    EXPECT_EQ(rows[0].keyName, "mouse_key_left");
    EXPECT_FALSE(rows[0].functionName.empty());
}

TEST_F(MouseCoreTest, DefaultProfileStateIsLoadedSavedAndShown) {
    OpenDevice();
    ASSERT_EQ(core->SetStageDpi(0, 99), 1);
    const int refreshes = listener.refreshes;
    core->LoadDefaultProfileState();
    EXPECT_EQ(core->GetDpiStages()[0].dpiX, 16);
    const Json::Value file = CJsonFile().readjsonValue(core->GetProfileFile());
    EXPECT_EQ(file["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 16);
    EXPECT_EQ(listener.refreshes, refreshes + 1);
}

TEST(MouseDpiRules, TableOfRules) {
    struct Case {
        const char* text;
        int step;
        int slider;
    };
    for (const Case& c : {Case{"50", 50, 2}, Case{"", 50, 2}, Case{"100", 25, 4},
                          Case{"3200", 50, 64}, Case{"3210x", 50, 64}, Case{"800", 0, 800}}) {
        EXPECT_EQ(devices::DpiSliderFromEditText(c.text, c.step), c.slider) << c.text;
    }
    EXPECT_EQ(devices::TamricDpiFromText("50"), 200);
    EXPECT_EQ(devices::TamricDpiFromText("7000"), 6500);
    EXPECT_EQ(devices::TamricDpiFromText("1234"), 1234);
    EXPECT_EQ(devices::ReportRateOptionIndex(5), 0);
    EXPECT_EQ(devices::ReportRateOptionIndex(-1), 0);
    EXPECT_EQ(devices::ReportRateOptionIndex(4), 4);
}

}  // namespace
}  // namespace devicetest
