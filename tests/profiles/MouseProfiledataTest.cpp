#include "profiles/MouseProfiledata.h"

#include <gtest/gtest.h>

#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::Parse;
using profiletest::Text;
using profiletest::WriteJson;

class MouseProfiledataTest : public ::testing::Test {
protected:
    void Load(const std::string& document) {
        WriteJson(path_, R"({"Device": [)" + document + "]}");
        profile_.SetProfilePath(path_);
        profile_.LoadProfile(path_);
    }

    std::string dir_ = testsupport::MakeTempDir("mouseprofile");
    std::string path_ = dir_ + "/p.Json";
    CMouseProfiledata profile_;
};

DpiStage Stage(std::uint16_t dpi) {
    DpiStage stage;
    stage.enabled = 1;
    stage.dpiX = dpi;
    stage.dpiY = dpi;
    return stage;
}

TEST_F(MouseProfiledataTest, DpiStagesReadWithNarrowing) {
    Load(R"({"DPIStages": {"StageActive": 2, "StageDPIs": [
        {"StageActive": 1, "StageXY": 257, "StageDPIX": 65537, "StageDPIY": 520,
         "StageColorR": 1, "StageColorG": 2, "StageColorB": 3}]}})");
    const std::vector<DpiStage> stages = profile_.GetDpiStages();
    ASSERT_EQ(stages.size(), 1u);
    EXPECT_EQ(stages[0], (DpiStage{1, 1, 1, 520, 1, 2, 3}));
    EXPECT_EQ(profile_.GetActiveDpiStage(), 2);
}

TEST_F(MouseProfiledataTest, ShortStageListMergesIntoTheCache) {
    profile_.SetDpiStages({Stage(10), Stage(20), Stage(30), Stage(40)});
    Load(R"({"DPIStages": {"StageActive": 1, "StageDPIs": [{"StageDPIX": 99}]}})");
    const std::vector<DpiStage> stages = profile_.GetDpiStages();
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(stages[0].dpiX, 99);
    EXPECT_EQ(stages[0].enabled, 0);
    EXPECT_EQ(stages[3].dpiX, 40);
}

TEST_F(MouseProfiledataTest, MissingDpiSectionLeavesCacheAndActiveStage) {
    profile_.SetDpiStages({Stage(10)});
    profile_.SetActiveDpiStage(3);
    for (const char* document : {"{}", R"({"DPIStages": 5})", "null"}) {
        Load(document);
        EXPECT_EQ(profile_.GetDpiStages(), std::vector<DpiStage>{Stage(10)}) << document;
        EXPECT_EQ(profile_.GetActiveDpiStage(), 3) << document;
    }
}

TEST_F(MouseProfiledataTest, SetDpiStagesWritesAllSevenMembers) {
    profile_.SetDpiStages({DpiStage{1, 0, 16, 17, 255, 0, 7}});
    profile_.SetActiveDpiStage(0);
    EXPECT_EQ(Text(profile_.GetDocument()["DPIStages"]), Text(Parse(R"({"StageActive": 0,
        "StageDPIs": [{"StageActive": 1, "StageXY": 0, "StageDPIX": 16, "StageDPIY": 17,
                       "StageColorR": 255, "StageColorG": 0, "StageColorB": 7}]})")));
}

TEST_F(MouseProfiledataTest, SystemStagesPackTwoHalvesPerWord) {
    Load(R"({"SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1,
                              "ScorllPage": 0, "WheelScorlllinse": 65539},
             "ReportStages": {"StageActive": 3}})");
    const SystemStageWords words = profile_.GetSystemStages();
    EXPECT_EQ(words[0], PackHalves(500, 10));
    EXPECT_EQ(words[1], PackHalves(1, 0));
    EXPECT_EQ(words[2], PackHalves(3, 3));
}

TEST_F(MouseProfiledataTest, ReportRateIsReadEvenWithoutSystemStages) {
    Load(R"({"ReportStages": {"StageActive": 4}})");
    EXPECT_EQ(profile_.GetSystemStages(), (SystemStageWords{0, 0, PackHalves(0, 4)}));
    Load(R"({"SystemStages": {"WheelScorlllinse": 3}})");
    EXPECT_EQ(profile_.GetSystemStages(), (SystemStageWords{0, 0, 3}));
}

TEST_F(MouseProfiledataTest, SetSystemStagesKeepsOtherMembersOfTheSections) {
    Load(R"({"SystemStages": {"Custom": 1}, "ReportStages": {"Other": 2}})");
    profile_.SetSystemStages({PackHalves(400, 12), PackHalves(0, 1), PackHalves(5, 2)});
    EXPECT_EQ(Text(profile_.GetDocument()["SystemStages"]),
              Text(Parse(R"({"Custom": 1, "DoubleClickTime": 400, "MouseSpeed": 12,
                  "PointerPrecision": 0, "ScorllPage": 1, "WheelScorlllinse": 5})")));
    EXPECT_EQ(Text(profile_.GetDocument()["ReportStages"]),
              Text(Parse(R"({"Other": 2, "StageActive": 2})")));
}

TEST_F(MouseProfiledataTest, CorrectionsReadInOrder) {
    Load(R"({"CorrectInfo": [{"CorrectPixThresh": 4, "CorrectMinSq": 16, "CorrectSelect": 1,
                              "CorrectName": "Light"}, {"CorrectName": 5}]})");
    const std::vector<CorrectionEntry> list = profile_.GetCorrections();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (CorrectionEntry{4, 16, 1, "Light"}));
    EXPECT_EQ(list[1], CorrectionEntry{});
}

// A saved file is exactly what the format prescribes: styled writer layout with three-space
// indentation, members in name order, CR LF line ends and one extra line end.
TEST_F(MouseProfiledataTest, SavedFileMatchesTheGoldenBytes) {
    WriteJson(path_, R"({"profileUUID": "{5}", "profilename": "Golden", "Device": [{}]})");
    profile_.SetProfilePath(path_);
    profile_.LoadProfile(path_);
    LightInfoRecord light;
    light.selectItem = 2;
    light.light = 4;
    light.multiColor = 1;
    light.red = 255;
    profile_.SetLightInfo(light);
    profile_.SetDpiStages({DpiStage{1, 0, 16, 16, 255, 0, 0}});
    profile_.SetActiveDpiStage(0);
    profile_.SetSystemStages({PackHalves(500, 10), PackHalves(1, 0), PackHalves(3, 3)});
    std::vector<KeyListEntry> keys(2);
    keys[0].assignment = {0x10, 0x01, 0x00};
    keys[1].assignment = {0xA0, 0x1B, 0x00};
    profile_.SetKeyList(keys);
    ASSERT_TRUE(profile_.Save());
    EXPECT_EQ(testsupport::ReadFile(path_),
              testsupport::ReadFile(ZORVATH_SOURCE_DIR "/tests/profiles/golden/mouse_saved.Json"));
}

}  // namespace
