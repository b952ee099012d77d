#include "profiles/KeyboardProfiledata.h"

#include <gtest/gtest.h>

#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::Parse;
using profiletest::Text;
using profiletest::WriteJson;

class KeyboardProfiledataTest : public ::testing::Test {
protected:
    void Load(const std::string& document) {
        WriteJson(path_, R"({"Device": [)" + document + "]}");
        profile_.LoadProfile(path_);
    }

    std::string path_ = testsupport::MakeTempDir("kbprofile") + "/p.Json";
    CKeyboardProfiledata profile_;
};

TEST_F(KeyboardProfiledataTest, SystemStagesRoundTrip) {
    Load(R"({"SystemStages": {"Repeat": 20, "RepeatDelay": 1, "Key6Flag": 1, "PollingRate": 3,
                              "WFlag": 65536, "WinFlag": 1}})");
    EXPECT_EQ(profile_.GetSystemStages(),
              (SystemStageWords{PackHalves(20, 1), PackHalves(1, 3), PackHalves(0, 1)}));
    profile_.SetSystemStages({PackHalves(7, 2), PackHalves(0, 1), PackHalves(1, 0)});
    EXPECT_EQ(Text(profile_.GetDocument()["SystemStages"]),
              Text(Parse(R"({"Repeat": 7, "RepeatDelay": 2, "Key6Flag": 0, "PollingRate": 1,
                             "WFlag": 1, "WinFlag": 0})")));
}

TEST_F(KeyboardProfiledataTest, MissingGroupIsCreatedAsZeroColours) {
    Load("{}");
    const std::vector<CustomLightColor> colours = profile_.GetCustomLightColors(1, 3);
    EXPECT_EQ(colours, std::vector<CustomLightColor>(3));
    const Json::Value& info = profile_.GetDocument()["CustomLightMode"]["LightColorInfo"];
    EXPECT_EQ(Text(info[1]), Text(Parse(R"([{"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0},
        {"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0},
        {"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0}])")));
}

TEST_F(KeyboardProfiledataTest, PresentColoursAreReadAndGapsFilled) {
    Load(R"({"CustomLightMode": {"LightColorInfo": [[
        {"Red": 1, "Green": 2, "Blue": 3, "Alpha": 260}, null, {"Red": 9}]]}})");
    const std::vector<CustomLightColor> colours = profile_.GetCustomLightColors(0, 4);
    EXPECT_EQ(colours, (std::vector<CustomLightColor>{{1, 2, 3, 4}, {}, {9, 0, 0, 0}, {}}));
    EXPECT_EQ(Text(profile_.GetDocument()["CustomLightMode"]["LightColorInfo"][0]),
              Text(Parse(R"([{"Red": 1, "Green": 2, "Blue": 3, "Alpha": 260},
                  {"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0}, {"Red": 9},
                  {"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0}])")));
}

TEST_F(KeyboardProfiledataTest, SetCustomColoursWritesTheGroup) {
    Load("{}");
    profile_.SetCustomLightColors({{255, 0, 0, 255}, {0, 255, 0, 128}}, 2);
    EXPECT_EQ(profile_.GetCustomLightColors(2, 2),
              (std::vector<CustomLightColor>{{255, 0, 0, 255}, {0, 255, 0, 128}}));
    EXPECT_TRUE(profile_.GetDocument()["CustomLightMode"]["LightColorInfo"][0].isNull());
}

TEST_F(KeyboardProfiledataTest, GroupIndexDefaultsToZero) {
    Load("{}");
    EXPECT_EQ(profile_.GetCustomLightGroupIndex(), 0);
    EXPECT_FALSE(profile_.GetDocument().isMember("CustomLightMode"));
    profile_.SetCustomLightGroupIndex(3);
    EXPECT_EQ(profile_.GetCustomLightGroupIndex(), 3);
}

TEST_F(KeyboardProfiledataTest, OutOfRangeGroupsTouchNothing) {
    Load("{}");
    EXPECT_TRUE(profile_.GetCustomLightColors(-1, 5).empty());
    EXPECT_TRUE(profile_.GetCustomLightColors(100000000, 5).empty());
    profile_.SetCustomLightColors({{1, 1, 1, 1}}, 100000000);
    EXPECT_FALSE(profile_.GetDocument().isMember("CustomLightMode"));
}

}  // namespace
