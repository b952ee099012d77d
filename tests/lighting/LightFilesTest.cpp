#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lighting/DefaultLightNames.h"
#include "lighting/KeyboardColours.h"
#include "lighting/LightFiles.h"
#include "lighting/LightModel.h"
#include "profiles/JsonFile.h"
#include "tests/support/TestDirs.h"

namespace {

using lighting::DeviceNumber;
using testsupport::WriteFile;

Json::Value Parse(const std::string& text) {
    Json::Value value = CJsonFile::ParseText(text);
    EXPECT_FALSE(value.isNull()) << text;
    return value;
}

TEST(LightModel, KindsNumbersLevelsAndUserLights) {
    EXPECT_EQ(lighting::DeviceNumberOfKind(1), DeviceNumber::Keyboard);
    EXPECT_EQ(lighting::DeviceNumberOfKind(2), DeviceNumber::Mouse);
    EXPECT_EQ(lighting::DeviceNumberOfKind(6), DeviceNumber::Mouse);
    EXPECT_EQ(lighting::DeviceNumberOfKind(3), DeviceNumber::MousePad);
    EXPECT_EQ(lighting::DeviceNumberOfKind(7), DeviceNumber::Headset);
    EXPECT_EQ(lighting::DeviceNumberOfKind(4), std::nullopt);
    EXPECT_EQ(lighting::MaxLightLevel(DeviceNumber::Keyboard), 5);
    EXPECT_EQ(lighting::MaxLightLevel(DeviceNumber::Mouse), 4);
    EXPECT_EQ(lighting::FirstUserLightNumber(DeviceNumber::Mouse), 9);
    EXPECT_EQ(lighting::UserLightIndex(DeviceNumber::Mouse, 8), std::nullopt);
    EXPECT_EQ(lighting::UserLightIndex(DeviceNumber::Mouse, 9), 0u);
    EXPECT_EQ(lighting::UserLightIndex(DeviceNumber::Mouse, 10), 1u);
    EXPECT_EQ(lighting::UserLightIndex(DeviceNumber::Keyboard, 20), std::nullopt);
    EXPECT_EQ(lighting::UserLightIndex(DeviceNumber::Keyboard, 29), 1u);
}

TEST(LightNames, HiddenEffectsKeepTheirNumbersAndListsStayPaired) {
    const Json::Value doc = Parse(R"({
        "DefaultLightName": [[], [{"LightName": "a", "visible": true}, {"LightName": "b"},
                                  {"LightName": "c", "visible": 2}, 7,
                                  {"LightName": "e", "visible": 0}, {"LightName": "f", "visible": "yes"}]],
        "AreaLightName": [[], [{"LightName": "logo"}]]})");
    lighting::LightNameLists lists;
    for (int reload = 0; reload < 2; ++reload) {
        lighting::ApplyDefaultLightDocument(lists, doc, DeviceNumber::Mouse);
        ASSERT_EQ(lists.effectNames.size(), 6u);
        ASSERT_EQ(lists.effectVisibility.size(), 6u);
    }
    EXPECT_EQ(lists.effectNames[2], "c");
    EXPECT_EQ(lists.effectVisibility, (std::vector<std::uint8_t>{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(lists.effectNames[3], "");
    EXPECT_EQ(lists.areaLightNames, std::vector<std::string>{"logo"});

    // A kind the file does not cover keeps what it had.
    lighting::ApplyDefaultLightDocument(lists, doc, DeviceNumber::Headset);
    EXPECT_EQ(lists.effectNames.size(), 6u);
    lighting::ApplyDefaultLightDocument(lists, Json::Value(), DeviceNumber::Mouse);
    lighting::ApplyDefaultLightDocument(lists, Parse(R"({"DefaultLightName": [0, 5]})"),
                                        DeviceNumber::Mouse);
    EXPECT_EQ(lists.effectNames.size(), 6u);
}

// Effect numbers are one byte: entries past 255 (user lights past 255 − first user light) are
// not read, however long the files are.
TEST(LightNames, ListsEndWhereEffectNumbersEnd) {
    Json::Value defaults(Json::objectValue);
    Json::Value config(Json::objectValue);
    for (Json::ArrayIndex i = 0; i < 1000; ++i) {
        defaults["DefaultLightName"][1][i]["LightName"] = "e" + std::to_string(i);
        config["LightInfo"][1][i]["LightName"] = "u" + std::to_string(i);
        config["LightInfo"][1][i]["Guid"] = "g" + std::to_string(i);
    }
    lighting::LightNameLists lists;
    lighting::ApplyDefaultLightDocument(lists, defaults, DeviceNumber::Mouse);
    lighting::ApplyLightConfigDocument(lists, config, DeviceNumber::Mouse);
    EXPECT_EQ(lists.effectNames.size(), 256u);
    EXPECT_EQ(lists.effectVisibility.size(), 256u);
    ASSERT_EQ(lists.userLightNames.size(), 247u);  // effects 9 to 255
    EXPECT_EQ(lists.userLightNames.back(), "u246");
    EXPECT_EQ(lighting::UserLightEntries(config, DeviceNumber::Mouse).size(), 247u);
    EXPECT_EQ(lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, 255)->text, "u246");
}

TEST(LightNames, TooltipNamesBuiltInAndUserLights) {
    lighting::LightNameLists lists;
    lists.effectNames = {"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8"};
    lists.userLightNames = {"Mine"};
    auto name = lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, 3);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, "e3");
    EXPECT_TRUE(name->translate);
    name = lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, 9);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, "Mine");
    EXPECT_FALSE(name->translate);
    // Effect 10 is user light 1, which does not exist: the tooltip ends without a name.
    EXPECT_FALSE(lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, 10));
    lists.userLightNames.push_back("Second");
    EXPECT_EQ(lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, 10)->text, "Second");
    EXPECT_FALSE(lighting::EffectNameForTooltip(lists, DeviceNumber::Mouse, -1));
}

class UserLightTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testsupport::MakeTempDir("light");
        folder_ = root_ + "/mouse/";
        std::filesystem::create_directories(folder_);
    }
    std::string root_;
    std::string folder_;
};

TEST_F(UserLightTest, EntryOfTheDeviceNumberIsReadFromTheDataFolder) {
    const Json::Value config = Parse(R"({"LightInfo": [
        [{"LightName": "keyboard light", "Guid": "kb"}],
        [{"LightName": "first", "Guid": "one"}, {"LightName": "second", "Guid": "two"}]]})");
    WriteFile(folder_ + "two.light", R"({"LEDEffectList": [
        {"LEDREGMode": 3, "LEDBrightness": 260, "LEDSpeed": true, "LEDDirection": false,
         "LEDMultiColor": 1, "red": 255, "green": "7", "blue": -1, "Time": 1500, "Cyle": 4294967295},
        {}]})");
    WriteFile(folder_ + "kb.light",
              R"({"LEDEffectList": [{"Time": 1}, {"Time": 2}, {"Time": 3}]})");
    // A file of the same name in the working directory is not the one meant.
    const auto steps = lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Mouse, 10);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].ledRegMode, 3);
    EXPECT_EQ(steps[0].ledBrightness, 4);  // low byte of 260
    EXPECT_EQ(steps[0].ledSpeed, 1);
    EXPECT_EQ(steps[0].red, 255);
    EXPECT_EQ(steps[0].green, 0);
    EXPECT_EQ(steps[0].blue, 255);
    EXPECT_EQ(steps[0].time, 1500);
    EXPECT_EQ(steps[0].cyle, -1);
    EXPECT_EQ(steps[1], LightEffectStep{});

    EXPECT_TRUE(lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Mouse, 9).empty());
    EXPECT_TRUE(lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Mouse, 11).empty());
    EXPECT_TRUE(lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Mouse, 3).empty());
    EXPECT_TRUE(
        lighting::LoadUserLightSteps(folder_, Json::Value(), DeviceNumber::Mouse, 9).empty());
    EXPECT_EQ(lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Keyboard, 28).size(), 3u);

    lighting::LightNameLists lists;
    lists.userLightNames = {"old"};
    lighting::ApplyLightConfigDocument(lists, config, DeviceNumber::Mouse);
    EXPECT_EQ(lists.userLightNames, (std::vector<std::string>{"first", "second"}));
    lighting::ApplyLightConfigDocument(lists, config, DeviceNumber::MousePad);  // kept
    EXPECT_EQ(lists.userLightNames.size(), 2u);
}

TEST_F(UserLightTest, ALightNameThatWouldLeaveTheFolderIsNotRead) {
    WriteFile(root_ + "/outside.light", R"({"LEDEffectList": [{"Time": 9}]})");
    std::filesystem::create_directories(folder_ + "sub");
    WriteFile(folder_ + "sub/inner.light", R"({"LEDEffectList": [{"Time": 9}]})");
    for (const char* guid : {"../outside", "sub/inner", "sub\\inner", "", "..", "a..b"}) {
        Json::Value config;
        config["LightInfo"][1][0]["LightName"] = "x";
        config["LightInfo"][1][0]["Guid"] = guid;
        EXPECT_TRUE(lighting::LoadUserLightSteps(folder_, config, DeviceNumber::Mouse, 9).empty())
            << guid;
        EXPECT_FALSE(lighting::LightFilePath(folder_, guid)) << guid;
    }
    EXPECT_EQ(*lighting::LightFilePath("/data/mouse", "ok"), "/data/mouse/ok.light");
}

TEST(ShippedDefaultLight, MatchesTheTableByteForByteAndNamesEveryKind) {
    const std::string path =
        std::string(ZORVATH_SOURCE_DIR) + "/data/DefaultData/default_light.json";
    const std::string shipped = testsupport::ReadFile(path);
    EXPECT_EQ(shipped, CJsonFile::FormatText(lighting::DefaultLightDocument()))
        << "regenerate with zorvath_make_default_light data/DefaultData";
    for (int d = 0; d < lighting::kDeviceNumberCount; ++d) {
        const auto device = static_cast<DeviceNumber>(d);
        lighting::LightNameLists lists;
        lighting::ReloadNameLists(lists, std::string(ZORVATH_SOURCE_DIR) + "/data/DefaultData",
                                  "/nonexistent", device);
        EXPECT_EQ(lists.effectNames.size(),
                  static_cast<std::size_t>(lighting::BuiltInEffectCount(device)));
        EXPECT_EQ(lists.effectVisibility.size(), lists.effectNames.size());
        EXPECT_FALSE(lists.areaLightNames.empty());
        for (std::size_t i = 0; i < lists.effectNames.size(); ++i) {
            EXPECT_FALSE(lists.effectNames[i].empty());
        }
    }
}

TEST(KeyboardColours, FillAllKeysSetsEveryKeyAndKeepsAlpha) {
    std::vector<CustomLightColor> colours(3, CustomLightColor{1, 2, 3, 77});
    const auto red = lighting::FillAllKeyColours(colours, true, 255, 0, 0);
    ASSERT_EQ(red.size(), lighting::kKeyboardLedCount);
    EXPECT_EQ(red[0], (CustomLightColor{255, 0, 0, 77}));
    EXPECT_EQ(red[125], (CustomLightColor{255, 0, 0, 0}));
    const auto dark = lighting::FillAllKeyColours(red, false, 255, 0, 0);
    EXPECT_EQ(dark[1], (CustomLightColor{0, 0, 0, 77}));
}

}  // namespace
