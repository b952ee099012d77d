#include "profiles/Hs6533Profiledata.h"

#include <gtest/gtest.h>

#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::Parse;
using profiletest::ReadJson;
using profiletest::Text;
using profiletest::WriteJson;

using Bands = std::vector<std::int32_t>;

class Hs6533ProfiledataTest : public ::testing::Test {
protected:
    void Load(const std::string& document) {
        WriteJson(path_, R"({"Device": [)" + document + "]}");
        profile_.SetProfilePath(path_);
        profile_.LoadProfile(path_);
    }

    std::string path_ = testsupport::MakeTempDir("hsprofile") + "/p.Json";
    CHs6533Profiledata profile_;
};

Json::Value BandsJson(int first) {
    Json::Value bands(Json::arrayValue);
    for (int i = 0; i < 10; ++i) {
        bands[i]["value"] = first + i;
    }
    return bands;
}

TEST_F(Hs6533ProfiledataTest, EqualiserTypesMapToPresetIndices) {
    Json::Value document;
    for (int preset = 0; preset <= 12; ++preset) {
        document["EQHzValueInfo"][preset] = BandsJson(preset * 100);
    }
    Load(Text(document));
    struct Case {
        int eqType;
        int preset;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{5, 5}, Case{12, 12}, Case{14, 1}, Case{20, 1},
                         Case{-3, 1}}) {
        const Bands bands = profile_.GetEqValues(c.eqType);
        ASSERT_EQ(bands.size(), 10u) << c.eqType;
        EXPECT_EQ(bands[0], c.preset * 100) << c.eqType;
        EXPECT_EQ(bands[9], c.preset * 100 + 9) << c.eqType;
    }
}

TEST_F(Hs6533ProfiledataTest, UserEqualiserTypeReadsAndWritesNothing) {
    Load("{}");
    EXPECT_TRUE(profile_.GetEqValues(13).empty());
    profile_.SetEqValues(13, Bands(10, 4));
    EXPECT_EQ(Text(profile_.GetDocument()), Text(Parse("{}")));
}

TEST_F(Hs6533ProfiledataTest, MissingPresetIsStoredAsTenZeroBands) {
    Load(R"({"EQHzValueInfo": [null, null, [{"value": 3}]]})");
    EXPECT_EQ(profile_.GetEqValues(1), Bands(10, 0));
    // A present preset with missing bands reads them as 0 without writing.
    Bands expected(10, 0);
    expected[0] = 3;
    EXPECT_EQ(profile_.GetEqValues(2), expected);
    ASSERT_TRUE(profile_.Save());
    const Json::Value saved = ReadJson(path_)["Device"][0]["EQHzValueInfo"];
    Json::Value zeros(Json::arrayValue);
    for (int i = 0; i < 10; ++i) {
        zeros[i]["value"] = 0;
    }
    EXPECT_EQ(Text(saved[1]), Text(zeros));
    EXPECT_EQ(saved[2].size(), 1u);
}

TEST_F(Hs6533ProfiledataTest, SetEqValuesWritesTenBands) {
    Load("{}");
    const Bands bands = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10};
    profile_.SetEqValues(4, bands);
    EXPECT_EQ(profile_.GetEqValues(4), bands);
    profile_.SetEqValues(0, bands);
    EXPECT_EQ(profile_.GetEqValues(1), bands);
}

TEST_F(Hs6533ProfiledataTest, CustomEqualisersUseTheIndexDirectly) {
    Load("{}");
    profile_.SetCustomEqValues(0, Bands(10, 2));
    profile_.SetCustomEqValues(2, Bands(10, 7));
    EXPECT_EQ(profile_.GetCustomEqValues(2), Bands(10, 7));
    EXPECT_EQ(profile_.GetCustomEqValues(1), Bands(10, 0));
    EXPECT_TRUE(profile_.GetCustomEqValues(-1).empty());
    EXPECT_TRUE(profile_.GetCustomEqValues(1000000).empty());
}

TEST_F(Hs6533ProfiledataTest, CustomEqualiserNamesKeepTheirOrderAndText) {
    Load(R"({"CustomEQNameInfo": [{"Name": "old"}]})");
    const std::vector<std::string> names = {"Bass \xE2\x99\xAA", "", "Voice"};
    profile_.SetCustomEqNames(names);
    EXPECT_EQ(profile_.GetCustomEqNames(), names);
    ASSERT_TRUE(profile_.Save());
    CHs6533Profiledata reloaded;
    reloaded.LoadProfile(path_);
    EXPECT_EQ(reloaded.GetCustomEqNames(), names);
}

TEST_F(Hs6533ProfiledataTest, SystemSetStagesReadAndWriteEightValues) {
    Load(R"({"SystemSetStages": {"MagicEnable": 1, "MagicType": 3, "EqType": 13,
        "CustomEqSeletIndex": 2, "MicInSelect": 1, "MicInValue": -80, "MicMoniterSelect": 0,
        "MicMoniterValue": 4294967295, "Other": 1}})");
    EXPECT_EQ(profile_.GetSystemSetStages(), (HeadsetSettings{1, 3, 13, 2, 1, -80, 0, -1}));
    profile_.SetSystemSetStages({0, 1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(profile_.GetSystemSetStages(), (HeadsetSettings{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(profile_.GetDocument()["SystemSetStages"]["Other"].asInt(), 1);
}

}  // namespace
