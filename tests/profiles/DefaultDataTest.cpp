#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profiles/DataFolders.h"
#include "profiles/DefaultProfiles.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "tests/profiles/ProfileTestSupport.h"

namespace {

using profiletest::ReadJson;
using profiletest::Text;

const std::string kShipped = ZORVATH_SOURCE_DIR "/data/DefaultData/";

struct Kind {
    std::string_view folder;
    std::vector<const char*> members;
};

const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {datafolders::kMouseFolderName,
         {"LightInfo", "LightList", "KeyList", "SystemStages", "ReportStages", "DPIStages",
          "CorrectInfo"}},
        {datafolders::kKeyboardFolderName,
         {"LightInfo", "LightList", "KeyList", "SystemStages", "CustomLightMode"}},
        {datafolders::kMousePadFolderName, {"LightInfo", "LightList"}},
        {datafolders::kHeadsetFolderName,
         {"LightInfo", "LightList", "SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo",
          "CustomEQHzValueInfo"}},
    };
    return kinds;
}

std::string ShippedPath(std::string_view folder) {
    return kShipped + std::string(folder) + ".Json";
}

TEST(DefaultDataTest, ShippedFilesAreWhatTheGeneratorWrites) {
    for (const Kind& kind : Kinds()) {
        EXPECT_EQ(testsupport::ReadFile(ShippedPath(kind.folder)),
                  CJsonFile::FormatText(defaultprofiles::MakeDefaultProfileFile(kind.folder)))
            << kind.folder << ": run zorvath_make_default_profiles data/DefaultData";
    }
}

TEST(DefaultDataTest, ShippedFilesHoldEveryMemberOfTheirKind) {
    for (const Kind& kind : Kinds()) {
        const Json::Value file = ReadJson(ShippedPath(kind.folder));
        ASSERT_TRUE(file["Device"][0].isObject()) << kind.folder;
        for (const char* member : kind.members) {
            EXPECT_TRUE(file["Device"][0].isMember(member)) << kind.folder << " " << member;
        }
    }
}

TEST(DefaultDataTest, MouseFactoryValues) {
    CMouseProfiledata mouse;
    mouse.SetDocument(ReadJson(ShippedPath("mouse"))["Device"][0]);
    const std::vector<DpiStage> stages = mouse.GetDpiStages();
    ASSERT_EQ(stages.size(), 4u);
    const int dpis[] = {800, 1600, 3200, 6400};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(stages[i].enabled, 1);
        EXPECT_EQ(stages[i].dpiX * defaultprofiles::kMouseDpiStep, dpis[i]);
    }
    const KeyCode buttons[] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00},
                               {0x10, 0x10, 0x00}, {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00},
                               {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00},
                               {0x16, 0x90, 0x01}};
    const std::vector<KeyListEntry> keys = mouse.GetKeyList();
    ASSERT_EQ(keys.size(), 10u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].assignment, buttons[i]) << i;
        EXPECT_EQ(keys[i].defaultAssignment, buttons[i]) << i;
    }
    EXPECT_FALSE(mouse.GetCorrections().empty());
}

TEST(DefaultDataTest, KeyboardFactoryKeysAndLights) {
    CKeyboardProfiledata keyboard;
    keyboard.SetDocument(ReadJson(ShippedPath("keyboard"))["Device"][0]);
    const std::vector<KeyListEntry> keys = keyboard.GetKeyList();
    ASSERT_EQ(keys.size(), 126u);
    struct Spot {
        std::size_t index;
        KeyCode code;
    };
    for (const Spot& s :
         {Spot{0, {0x20, 0x00, 0x29}}, Spot{15, {0x20, 0x00, 0x48}}, Spot{16, {0xA0, 0x1B, 0x00}},
          Spot{31, {0x20, 0x00, 0x27}}, Spot{83, {0x20, 0x00, 0x88}}, Spot{84, {0x20, 0x02, 0x00}},
          Spot{95, {0x20, 0x20, 0x00}}, Spot{104, {0x20, 0x00, 0x00}},
          Spot{110, {0xA0, 0x01, 0x00}}, Spot{119, {0x20, 0x00, 0x57}},
          Spot{120, {0xD0, 0xA2, 0x01}}, Spot{124, {0xD0, 0xA2, 0x05}},
          Spot{125, {0x20, 0x80, 0x00}}}) {
        EXPECT_EQ(keys[s.index].defaultAssignment, s.code) << s.index;
        EXPECT_EQ(keys[s.index].assignment, s.code) << s.index;
    }
    EXPECT_EQ(keyboard.GetLightList().size(), 126u);
    EXPECT_EQ(keyboard.GetCustomLightColors(0, 126).size(), 126u);
}

TEST(DefaultDataTest, HeadsetPresetsAndLights) {
    CHs6533Profiledata headset;
    headset.SetDocument(ReadJson(ShippedPath("HD"))["Device"][0]);
    EXPECT_EQ(headset.GetEqValues(1),
              (std::vector<std::int32_t>{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_EQ(headset.GetEqValues(12),
              (std::vector<std::int32_t>{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
    EXPECT_EQ(headset.GetLightList().size(), 13u);
    CBasicProfiledata pad;
    pad.SetDocument(ReadJson(ShippedPath("MousePad"))["Device"][0]);
    EXPECT_EQ(pad.GetLightList().size(), 15u);
}

// Loading a default into a new profile and writing back everything read changes nothing.
TEST(DefaultDataTest, DefaultsRoundTripThroughLoadAndSave) {
    const std::string dir = testsupport::MakeTempDir("defaultsroundtrip");
    for (const Kind& kind : Kinds()) {
        const std::string path = dir + "/" + std::string(kind.folder) + "-profile.Json";
        const Json::Value shipped = ReadJson(ShippedPath(kind.folder))["Device"][0];
        CMouseProfiledata mouse;
        CKeyboardProfiledata keyboard;
        CHs6533Profiledata headset;
        CBasicProfiledata pad;
        CBasicProfiledata* profile = &pad;
        if (kind.folder == "mouse") {
            profile = &mouse;
        } else if (kind.folder == "keyboard") {
            profile = &keyboard;
        } else if (kind.folder == "HD") {
            profile = &headset;
        }
        profile->SetDefaultProfilePath(ShippedPath(kind.folder));
        profile->SetProfilePath(path);
        EXPECT_EQ(Text(profile->LoadProfile(path)), Text(shipped)) << kind.folder;

        const LightInfoRecord light = profile->GetLightInfo();
        profile->SetLightInfo(light.WordA(), light.WordB(), light.WordC());
        profile->SetKeyList(profile->GetKeyList());
        if (profile == &mouse) {
            mouse.SetDpiStages(mouse.GetDpiStages());
            mouse.SetActiveDpiStage(mouse.GetActiveDpiStage());
            mouse.SetSystemStages(mouse.GetSystemStages());
        } else if (profile == &keyboard) {
            keyboard.SetSystemStages(keyboard.GetSystemStages());
            const int group = keyboard.GetCustomLightGroupIndex();
            keyboard.SetCustomLightColors(keyboard.GetCustomLightColors(group, 126), group);
            keyboard.SetCustomLightGroupIndex(group);
        } else if (profile == &headset) {
            headset.SetSystemSetStages(headset.GetSystemSetStages());
            for (int type = 1; type <= 12; ++type) {
                headset.SetEqValues(type, headset.GetEqValues(type));
            }
            headset.SetCustomEqNames(headset.GetCustomEqNames());
        }
        ASSERT_TRUE(profile->Save()) << kind.folder;
        EXPECT_EQ(Text(ReadJson(path)["Device"][0]), Text(shipped)) << kind.folder;
    }
}

TEST(DefaultDataTest, DefaultsAreCopiedBesideTheProgram) {
    for (const Kind& kind : Kinds()) {
        EXPECT_EQ(testsupport::ReadFile(datafolders::GetDefaultProfilePath(kind.folder)),
                  testsupport::ReadFile(ShippedPath(kind.folder)))
            << kind.folder;
    }
}

}  // namespace
