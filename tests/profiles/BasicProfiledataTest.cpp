#include "profiles/BasicProfiledata.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/AtomicFile.h"
#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::Parse;
using profiletest::ReadJson;
using profiletest::Text;
using profiletest::WriteJson;

constexpr const char* kDefaultFile = R"({
  "Device": [ {
    "LightInfo": {"SelectItem": 3, "Light": 4, "Speed": 2, "Fx": 1, "MultiColor": 1,
                  "Red": 10, "Green": 20, "Blue": 30, "ZZCCLedMode": 0},
    "KeyList": [ {"Assignment": 1048832, "DefaultAssignment": 1048832},
                 {"Assignment": 1049088, "DefaultAssignment": 1049088},
                 {"Assignment": 1049600, "DefaultAssignment": 1049600} ]
  } ]
})";

class BasicProfiledataTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteJson(defaultPath_, kDefaultFile);
        profile_.SetDefaultProfilePath(defaultPath_);
        profile_.SetProfilePath(profilePath_);
    }

    std::string dir_ = testsupport::MakeTempDir("basicprofile");
    std::string defaultPath_ = dir_ + "/mouse.Json";
    std::string profilePath_ = dir_ + "/profile.Json";
    CBasicProfiledata profile_;
};

TEST_F(BasicProfiledataTest, FirstLoadCopiesTheDefaultDocumentIntoANewFile) {
    const Json::Value document = profile_.LoadProfile(profilePath_);
    const Json::Value expected = Parse(kDefaultFile)["Device"][0];
    EXPECT_EQ(Text(document), Text(expected));
    const Json::Value file = ReadJson(profilePath_);
    EXPECT_EQ(Text(file), Text(Parse(kDefaultFile)));
}

TEST_F(BasicProfiledataTest, FileWithoutItsDocumentIsRefilledAndKeepsItsOtherMembers) {
    const char* cases[] = {
        R"({"profilename": "Mine", "profileUUID": "abc", "other": [1, 2]})",
        R"({"profilename": "Mine", "profileUUID": "abc", "other": [1, 2], "Device": []})",
        R"({"profilename": "Mine", "profileUUID": "abc", "other": [1, 2], "Device": [null]})",
        R"({"profilename": "Mine", "profileUUID": "abc", "other": [1, 2], "Device": 7})",
    };
    for (const char* text : cases) {
        WriteJson(profilePath_, text);
        profile_.LoadProfile(profilePath_);
        const Json::Value file = ReadJson(profilePath_);
        EXPECT_EQ(file["profilename"].asString(), "Mine") << text;
        EXPECT_EQ(file["profileUUID"].asString(), "abc") << text;
        EXPECT_EQ(Text(file["other"]), Text(Parse("[1, 2]"))) << text;
        EXPECT_EQ(Text(file["Device"][0]), Text(Parse(kDefaultFile)["Device"][0])) << text;
        EXPECT_EQ(profile_.GetLightInfo().selectItem, 3) << text;
    }
}

TEST_F(BasicProfiledataTest, ExistingDocumentIsLoadedAndTheFileLeftAlone) {
    const std::string text = R"({"Device": [{"LightInfo": {"SelectItem": 7}}]})";
    WriteJson(profilePath_, text);
    profile_.LoadProfile(profilePath_);
    EXPECT_EQ(profile_.GetLightInfo().selectItem, 7);
    EXPECT_EQ(testsupport::ReadFile(profilePath_), text);
}

TEST_F(BasicProfiledataTest, UnreadableProfileIsMovedAsideBeforeTheDefaultReplacesIt) {
    const std::string garbage = "{\"Device\": [ {\"LightInfo\": ";
    WriteJson(profilePath_, garbage);
    profile_.LoadProfile(profilePath_);
    EXPECT_EQ(profile_.GetLightInfo().selectItem, 3);
    EXPECT_TRUE(ReadJson(profilePath_)["Device"][0].isObject());
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
        if (entry.path().extension() == ".unreadable") {
            EXPECT_EQ(testsupport::ReadFile(entry.path().string()), garbage);
            ++kept;
        }
    }
    EXPECT_EQ(kept, 1);
}

TEST_F(BasicProfiledataTest, MissingDefaultLeavesANullDocumentThatSettersFill) {
    profile_.SetDefaultProfilePath(dir_ + "/none.Json");
    profile_.LoadProfile(profilePath_);
    EXPECT_EQ(testsupport::ReadFile(profilePath_), "{\r\n   \"Device\" : [ null ]\r\n}\r\n\r\n");
    EXPECT_EQ(profile_.GetLightInfo(), LightInfoRecord{});
    EXPECT_TRUE(profile_.GetKeyList().empty());
    EXPECT_TRUE(profile_.GetLightList().empty());

    profile_.SetLightInfo(0x01020304, 0, 0);
    ASSERT_TRUE(profile_.Save());
    EXPECT_EQ(ReadJson(profilePath_)["Device"][0]["LightInfo"]["SelectItem"].asInt(), 4);
}

TEST_F(BasicProfiledataTest, SaveKeepsTheFilesOtherMembers) {
    WriteJson(profilePath_,
              R"({"profilename": "Zażółć", "profileUUID": "{1-2}", "Device": [{"KeyList": []}]})");
    profile_.LoadProfile(profilePath_);
    profile_.SetLightInfo(1, 0, 0);
    ASSERT_TRUE(profile_.Save());
    const Json::Value file = ReadJson(profilePath_);
    EXPECT_EQ(file["profilename"].asString(), "Zażółć");
    EXPECT_EQ(file["profileUUID"].asString(), "{1-2}");
    EXPECT_EQ(file["Device"][0]["LightInfo"]["SelectItem"].asInt(), 1);
    EXPECT_TRUE(file["Device"][0]["KeyList"].isArray());
}

TEST_F(BasicProfiledataTest, FailedSaveLeavesThePreviousFileComplete) {
    profile_.LoadProfile(profilePath_);
    const std::string before = testsupport::ReadFile(profilePath_);
    profile_.SetLightInfo(0xFF, 0, 0);
    files::SetFailBeforeRenameForTesting(true);
    const bool saved = profile_.Save();
    files::SetFailBeforeRenameForTesting(false);
    EXPECT_FALSE(saved);
    EXPECT_EQ(testsupport::ReadFile(profilePath_), before);
    // The change is still in memory and the next save writes it.
    ASSERT_TRUE(profile_.Save());
    EXPECT_EQ(ReadJson(profilePath_)["Device"][0]["LightInfo"]["SelectItem"].asInt(), 0xFF);
}

TEST_F(BasicProfiledataTest, EmptyPathsAreIgnored) {
    profile_.SetProfilePath("");
    profile_.SetDefaultProfilePath("");
    EXPECT_EQ(profile_.GetProfilePath(), profilePath_);
    EXPECT_EQ(profile_.GetDefaultProfilePath(), defaultPath_);
}

TEST_F(BasicProfiledataTest, LightInfoTravelsAsThreeLittleEndianWords) {
    profile_.SetLightInfo(0x04030201, 0x08070601, 0x0C000000);
    const Json::Value info = profile_.GetDocument()["LightInfo"];
    EXPECT_EQ(Text(info), Text(Parse(R"({"SelectItem": 1, "Light": 2, "Speed": 3, "Fx": 4,
        "MultiColor": 1, "Red": 6, "Green": 7, "Blue": 8, "ZZCCLedMode": 12})")));
    const LightInfoRecord record = profile_.GetLightInfo();
    EXPECT_EQ(record.WordA(), 0x04030201u);
    EXPECT_EQ(record.WordB(), 0x08070601u);
    EXPECT_EQ(record.WordC(), 0x0C000000u);
}

TEST_F(BasicProfiledataTest, SetLightInfoReplacesTheWholeSection) {
    WriteJson(profilePath_, R"({"Device": [{"LightInfo": {"Extra": 5, "Red": 9}}]})");
    profile_.LoadProfile(profilePath_);
    profile_.SetLightInfo(0, 0, 0);
    EXPECT_FALSE(profile_.GetDocument()["LightInfo"].isMember("Extra"));
}

TEST_F(BasicProfiledataTest, MultiColorTwoReadsTrueAndIsWrittenBackAsOne) {
    WriteJson(profilePath_, R"({"Device": [{"LightInfo": {"MultiColor": 2, "Red": 300}}]})");
    profile_.LoadProfile(profilePath_);
    const LightInfoRecord record = profile_.GetLightInfo();
    EXPECT_EQ(record.multiColor, 1);
    EXPECT_EQ(record.red, 300 & 0xFF);
    profile_.SetLightInfo(record.WordA(), record.WordB(), record.WordC());
    ASSERT_TRUE(profile_.Save());
    EXPECT_EQ(ReadJson(profilePath_)["Device"][0]["LightInfo"]["MultiColor"], Json::Value(1));
}

TEST_F(BasicProfiledataTest, KeyListSplitsCodesIntoBytes) {
    WriteJson(profilePath_,
              R"({"Device": [{"KeyList": [{"Assignment": 1193046, "DefaultAssignment": 10493696},
                                          null, "wrong"]}]})");
    profile_.LoadProfile(profilePath_);
    const std::vector<KeyListEntry> keys = profile_.GetKeyList();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].assignment, (KeyCode{0x12, 0x34, 0x56}));
    EXPECT_EQ(keys[0].defaultAssignment, (KeyCode{0xA0, 0x1F, 0x00}));
    EXPECT_EQ(keys[2].index, 2);
    EXPECT_EQ(keys[2].defaultIndex, 2);
    EXPECT_EQ(keys[1].assignment, (KeyCode{0, 0, 0}));
}

TEST_F(BasicProfiledataTest, SetKeyListWritesAssignmentsByPosition) {
    profile_.LoadProfile(profilePath_);  // three keys from the default
    struct Case {
        std::size_t count;
        const char* expected;
    };
    const Case cases[] = {
        // Longer: the new element carries only "Assignment".
        {4, R"([{"Assignment": 5, "DefaultAssignment": 1048832},
                {"Assignment": 6, "DefaultAssignment": 1049088},
                {"Assignment": 7, "DefaultAssignment": 1049600},
                {"Assignment": 8}])"},
    };
    for (const Case& c : cases) {
        std::vector<KeyListEntry> keys(c.count);
        for (std::size_t i = 0; i < c.count; ++i) {
            keys[i].index = 99;  // position decides, not the index
            keys[i].assignment = KeyCodeFromValue(static_cast<std::uint32_t>(5 + i));
        }
        profile_.SetKeyList(keys);
        EXPECT_EQ(Text(profile_.GetDocument()["KeyList"]), Text(Parse(c.expected)));
    }
    // Shorter: trailing elements keep their old assignment.
    std::vector<KeyListEntry> shorter(1);
    shorter[0].assignment = {0x10, 0x01, 0x00};
    profile_.SetKeyList(shorter);
    EXPECT_EQ(Text(profile_.GetDocument()["KeyList"]),
              Text(Parse(R"([{"Assignment": 1048832, "DefaultAssignment": 1048832},
                             {"Assignment": 6, "DefaultAssignment": 1049088},
                             {"Assignment": 7, "DefaultAssignment": 1049600},
                             {"Assignment": 8}])")));
}

TEST_F(BasicProfiledataTest, LightListMarksNullAndWrongTypedElementsAbsent) {
    WriteJson(profilePath_, R"({"Device": [{"LightList": [
        {"LEDREGMode": 2, "LEDBrightness": 260, "LEDSpeed": 1, "LEDDirection": true,
         "LEDMultiColor": 3, "red": 1, "green": 2, "blue": 3},
        null, 5, {"LEDDirection": "yes", "red": "1"}]}]})");
    profile_.LoadProfile(profilePath_);
    const std::vector<LightListEntry> list = profile_.GetLightList();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], (LightListEntry{2, 4, 1, 1, 1, 1, 2, 3, 1}));
    EXPECT_EQ(list[1], LightListEntry{});
    EXPECT_EQ(list[2], LightListEntry{});
    EXPECT_EQ(list[3], (LightListEntry{0, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST_F(BasicProfiledataTest, GettersDoNotAddMembersToTheSavedFile) {
    WriteJson(profilePath_, R"({"Device": [{"LightInfo": {"Red": 1}}]})");
    profile_.LoadProfile(profilePath_);
    ASSERT_TRUE(profile_.Save());
    const std::string before = testsupport::ReadFile(profilePath_);
    profile_.GetLightInfo();
    profile_.GetLightList();
    profile_.GetKeyList();
    profile_.GetCustomLightEffect();
    ASSERT_TRUE(profile_.Save());
    EXPECT_EQ(testsupport::ReadFile(profilePath_), before);
}

class CustomLightEffectTest : public BasicProfiledataTest {
protected:
    void SetUp() override {
        BasicProfiledataTest::SetUp();
        profile_.SetUserLightSource(1, 9);
        profile_.SetLightConfigPath(dir_ + "/tamric_light.config");
        WriteJson(dir_ + "/tamric_light.config", R"({"LightInfo": [
            [{"LightName": "kb", "Guid": "kb-guid"}],
            [{"LightName": "one", "Guid": "g1"}, {"LightName": "two", "Guid": "g2"},
             {"LightName": "evil", "Guid": "../outside"}, {"LightName": "nameless"}]]})");
        WriteJson(dir_ + "/g2.light", R"({"LEDEffectList": [
            {"LEDREGMode": 4, "LEDDirection": true, "LEDBrightness": 3, "LEDSpeed": 2,
             "LEDMultiColor": 1, "red": 257, "green": 2, "blue": 3, "Time": -5, "Cyle": 4294967297},
            {"Time": 1000}]})");
        WriteJson(dir_ + "/kb-guid.light", R"({"LEDEffectList": [{"Time": 1}]})");
    }

    std::vector<LightEffectStep> StepsFor(int selectItem) {
        profile_.SetLightInfo(static_cast<std::uint32_t>(selectItem), 0, 0);
        profile_.LoadLightConfig(profile_.GetLightConfigPath());
        return profile_.GetCustomLightEffect();
    }
};

TEST_F(CustomLightEffectTest, SelectItemNamesAUserLightOfTheDevice) {
    const std::vector<LightEffectStep> steps = StepsFor(10);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (LightEffectStep{4, 3, 2, 1, 1, 1, 2, 3, -5, 1}));
    EXPECT_EQ(steps[1].time, 1000);
}

TEST_F(CustomLightEffectTest, NoStepsWithoutAUsableLightFile) {
    EXPECT_TRUE(StepsFor(9).empty()) << "g1.light is missing";
    EXPECT_TRUE(StepsFor(3).empty()) << "not a user light";
    EXPECT_TRUE(StepsFor(11).empty()) << "a Guid leading out of the folder";
    EXPECT_TRUE(StepsFor(12).empty()) << "no Guid";
    EXPECT_TRUE(StepsFor(40).empty()) << "no such entry";
    profile_.SetLightConfigPath(dir_ + "/missing.config");
    EXPECT_TRUE(StepsFor(10).empty());
}

}  // namespace
