#include <gtest/gtest.h>

#include <filesystem>

#include "profiles/Hs6533Profiledata.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "tests/profiles/ProfileExercise.h"
#include "tests/profiles/ProfileTestSupport.h"

namespace {

struct BadFile {
    const char* name;
    std::string bytes;
};

std::vector<BadFile> BadFiles() {
    return {
        {"empty", ""},
        {"truncated", R"({"Device": [{"LightInfo": {"SelectItem": 3, "Li)"},
        {"binary", std::string("\x00\x01\xff\xfe{\"Device\"", 13)},
        {"top-level array", R"([{"LightInfo": {"SelectItem": 3}}])"},
        {"top-level number", "42"},
        {"Device not an array", R"({"Device": {"0": {"LightInfo": {"SelectItem": 3}}}})"},
        {"document not an object", R"({"Device": [[1, 2, 3]]})"},
        {"deep nesting", R"({"Device": [)" + std::string(4000, '[')},
        {"every section wrong-typed", R"({"Device": [{"LightInfo": 5, "LightList": {},
            "KeyList": "x", "DPIStages": [], "SystemStages": true, "ReportStages": [1],
            "CorrectInfo": {"a": 1}, "CustomLightMode": 3, "SystemSetStages": [],
            "EQHzValueInfo": {"1": 2}, "CustomEQNameInfo": "n", "CustomEQHzValueInfo": 7}]})"},
    };
}

// Every getter gives its kind's empty result: nothing of a bad file leaks through.
void ExpectEmptyResults(const std::string& path, const char* name) {
    CMouseProfiledata mouse;
    mouse.LoadProfile(path);
    EXPECT_EQ(mouse.GetLightInfo(), LightInfoRecord{}) << name;
    EXPECT_TRUE(mouse.GetLightList().empty()) << name;
    EXPECT_TRUE(mouse.GetKeyList().empty()) << name;
    EXPECT_TRUE(mouse.GetDpiStages().empty()) << name;
    EXPECT_EQ(mouse.GetActiveDpiStage(), 0) << name;
    EXPECT_EQ(mouse.GetSystemStages(), SystemStageWords{}) << name;
    EXPECT_TRUE(mouse.GetCorrections().empty()) << name;
    EXPECT_TRUE(mouse.GetCustomLightEffect().empty()) << name;

    CKeyboardProfiledata keyboard;
    keyboard.LoadProfile(path);
    EXPECT_EQ(keyboard.GetSystemStages(), SystemStageWords{}) << name;
    EXPECT_EQ(keyboard.GetCustomLightGroupIndex(), 0) << name;
    EXPECT_EQ(keyboard.GetCustomLightColors(0, 4), std::vector<CustomLightColor>(4)) << name;

    CHs6533Profiledata headset;
    headset.LoadProfile(path);
    EXPECT_EQ(headset.GetSystemSetStages(), HeadsetSettings{}) << name;
    EXPECT_EQ(headset.GetEqValues(3), std::vector<std::int32_t>(10, 0)) << name;
    EXPECT_TRUE(headset.GetCustomEqNames().empty()) << name;
    EXPECT_EQ(headset.GetCustomEqValues(0), std::vector<std::int32_t>(10, 0)) << name;
}

TEST(CorruptProfileTest, BadFilesReadAsEmptyResults) {
    const std::string dir = testsupport::MakeTempDir("corrupt");
    for (const BadFile& bad : BadFiles()) {
        const std::string path = dir + "/bad.Json";
        testsupport::WriteFile(path, bad.bytes);
        ExpectEmptyResults(path, bad.name);
    }
}

TEST(CorruptProfileTest, OversizedFileReadsAsEmptyAndIsKeptAside) {
    const std::string dir = testsupport::MakeTempDir("huge");
    const std::string path = dir + "/huge.Json";
    std::string text = R"({"Device": [{"LightInfo": {"SelectItem": 3}}], "pad": ")";
    text.append(CJsonFile::kMaxFileBytes, 'x');
    text += "\"}";
    testsupport::WriteFile(path, text);
    ExpectEmptyResults(path, "huge");
    std::uintmax_t keptBytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == ".unreadable") {
            keptBytes = std::max(keptBytes, entry.file_size());
        }
    }
    EXPECT_EQ(keptBytes, text.size());
}

TEST(CorruptProfileTest, SettersRepairWrongTypedSections) {
    const Json::Value document = profiletest::Parse(BadFiles().back().bytes)["Device"][0];
    ExerciseAllProfileClasses(document);

    CMouseProfiledata mouse;
    mouse.SetDocument(document);
    mouse.SetDpiStages({DpiStage{1, 0, 32, 32, 0, 0, 0}});
    mouse.SetSystemStages({0, 0, PackHalves(0, 2)});
    std::vector<KeyListEntry> keys(1);
    keys[0].assignment = {0x10, 0x01, 0x00};
    mouse.SetKeyList(keys);
    EXPECT_EQ(mouse.GetDpiStages().at(0).dpiX, 32);
    EXPECT_EQ(mouse.GetSystemStages()[2], PackHalves(0, 2));
    EXPECT_EQ(mouse.GetKeyList().at(0).assignment, (KeyCode{0x10, 0x01, 0x00}));

    CHs6533Profiledata headset;
    headset.SetDocument(document);
    headset.SetCustomEqNames({"a"});
    headset.SetEqValues(2, std::vector<std::int32_t>(10, 1));
    EXPECT_EQ(headset.GetCustomEqNames(), std::vector<std::string>{"a"});
    EXPECT_EQ(headset.GetEqValues(2), std::vector<std::int32_t>(10, 1));
}

TEST(CorruptProfileTest, SeedCorpusRunsThroughEveryAccessor) {
    for (const auto& entry :
         std::filesystem::directory_iterator(ZORVATH_SOURCE_DIR "/tests/profiles/corpus")) {
        const Json::Value file = CJsonFile::ParseText(testsupport::ReadFile(entry.path().string()));
        ExerciseAllProfileClasses(file);
        ExerciseAllProfileClasses(file.isObject() && file["Device"].isArray() ? file["Device"][0]
                                                                              : Json::Value());
    }
}

}  // namespace
