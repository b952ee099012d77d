#include "profiles/DefaultProfiles.h"

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/DataFolders.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"

namespace defaultprofiles {
namespace {

// The mouse buttons in UI order, as the key table names them.
constexpr std::array<std::uint32_t, 10> kMouseButtonCodes = {
    0x100100, 0x100200, 0x100400, 0x101000, 0x100800,
    0x130100, 0x130200, 0x130300, 0xA01B00, 0x169001,
};

// Factory codes of the 126 keyboard keys in UI key order.
std::vector<std::uint32_t> KeyboardKeyCodes() {
    std::vector<std::uint32_t> codes;
    codes.reserve(126);
    auto key = [&codes](std::uint32_t usage) { codes.push_back(0x200000 | usage); };
    key(0x29);
    for (std::uint32_t u = 0x3A; u <= 0x48; ++u) {
        key(u);
    }
    codes.push_back(0xA01B00);
    codes.push_back(0xA02400);
    key(0x00);
    key(0x00);
    key(0x00);
    key(0x35);
    for (std::uint32_t u = 0x1E; u <= 0x27; ++u) {
        key(u);
    }
    for (std::uint32_t u :
         {0x2D, 0x2E, 0x2A, 0x49, 0x4A, 0x4B, 0x53, 0x54, 0x55, 0x56, 0x2B, 0x14, 0x1A,
          0x08, 0x15, 0x17, 0x1C, 0x18, 0x0C, 0x12, 0x13, 0x2F, 0x30, 0x31, 0x4C, 0x4D,
          0x4E, 0x5F, 0x60, 0x61, 0x00, 0x39, 0x04, 0x16, 0x07, 0x09, 0x0A, 0x0B, 0x0D,
          0x0E, 0x0F, 0x33, 0x34, 0x28, 0x5C, 0x5D, 0x5E, 0x8A, 0x8B, 0x90, 0x91, 0x88}) {
        key(u);
    }
    key(0x0200);  // 84: left shift
    for (std::uint32_t u : {0x1D, 0x1B, 0x06, 0x19, 0x05, 0x11, 0x10, 0x36, 0x37, 0x38}) {
        key(u);
    }
    key(0x2000);  // 95: right shift
    for (std::uint32_t u : {0x52, 0x59, 0x5A, 0x5B, 0x87, 0x89, 0x64, 0x85, 0x00}) {
        key(u);
    }
    key(0x0100);  // 105: left control
    key(0x0800);  // 106: left GUI
    key(0x0400);  // 107: left alt
    key(0x2C);
    key(0x4000);  // 109: right alt
    codes.push_back(0xA00100);
    key(0x65);
    key(0x1000);  // 112: right control
    for (std::uint32_t u : {0x50, 0x51, 0x4F, 0x62, 0x63, 0x58, 0x57}) {
        key(u);
    }
    for (std::uint32_t n = 1; n <= 5; ++n) {
        codes.push_back(0xD0A200 | n);
    }
    key(0x8000);  // 125: right GUI
    return codes;
}

void SetFactoryKeys(CBasicProfiledata& profile, const std::vector<std::uint32_t>& codes) {
    std::vector<KeyListEntry> keys;
    for (std::uint32_t code : codes) {
        KeyListEntry entry;
        entry.assignment = KeyCodeFromValue(code);
        keys.push_back(entry);
    }
    profile.SetKeyList(keys);
}

// "DefaultAssignment" is never written by the program; only the factory file carries it.
void AddDefaultAssignments(Json::Value& document, const std::vector<std::uint32_t>& codes) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        document["KeyList"][static_cast<Json::ArrayIndex>(i)]["DefaultAssignment"] =
            static_cast<Json::Int>(codes[i]);
    }
}

Json::Value AreaLights(int ledCount) {
    Json::Value list(Json::arrayValue);
    for (int i = 0; i < ledCount; ++i) {
        Json::Value led(Json::objectValue);
        led["LEDREGMode"] = 3;  // colour wheel
        led["LEDBrightness"] = 4;
        led["LEDSpeed"] = 2;
        led["LEDDirection"] = false;
        led["LEDMultiColor"] = true;
        led["red"] = 255;
        led["green"] = 255;
        led["blue"] = 255;
        list.append(led);
    }
    return list;
}

LightInfoRecord Light(std::uint8_t effect, std::uint8_t brightness) {
    LightInfoRecord light;
    light.selectItem = effect;
    light.light = brightness;
    light.speed = 2;
    light.fx = 0;
    light.multiColor = 1;
    light.red = 255;
    light.green = 0;
    light.blue = 0;
    return light;
}

Json::Value Wrap(const Json::Value& document) {
    Json::Value file(Json::objectValue);
    file["Device"].append(document);
    return file;
}

Json::Value MouseDocument() {
    CMouseProfiledata profile;
    profile.SetLightInfo(Light(0, 4));  // spectrum, full brightness
    const std::vector<std::uint32_t> codes(kMouseButtonCodes.begin(), kMouseButtonCodes.end());
    SetFactoryKeys(profile, codes);
    struct Stage {
        int dpi;
        std::uint8_t r, g, b;
    };
    std::vector<DpiStage> stages;
    for (const Stage& s : {Stage{800, 255, 0, 0}, Stage{1600, 0, 255, 0}, Stage{3200, 0, 0, 255},
                           Stage{6400, 255, 255, 0}}) {
        DpiStage stage;
        stage.enabled = 1;
        stage.dpiX = static_cast<std::uint16_t>(s.dpi / kMouseDpiStep);
        stage.dpiY = stage.dpiX;
        stage.red = s.r;
        stage.green = s.g;
        stage.blue = s.b;
        stages.push_back(stage);
    }
    profile.SetDpiStages(stages);
    profile.SetActiveDpiStage(1);
    // Double-click 500 ms, pointer speed 10 of 20 with precision, three wheel lines, report
    // rate option 3 (1000 Hz).
    profile.SetSystemStages({PackHalves(500, 10), PackHalves(1, 0), PackHalves(3, 3)});

    Json::Value document = profile.GetDocument();
    AddDefaultAssignments(document, codes);
    document["LightList"] = Json::Value(Json::arrayValue);  // the mouse has no LEDs
    Json::Value corrections(Json::arrayValue);
    struct Correction {
        const char* name;
        int pixThresh, minSq, select;
    };
    for (const Correction& c : {Correction{"Off", 0, 0, 1}, Correction{"Light", 4, 16, 0},
                                Correction{"Strong", 8, 64, 0}}) {
        Json::Value entry(Json::objectValue);
        entry["CorrectName"] = c.name;
        entry["CorrectPixThresh"] = c.pixThresh;
        entry["CorrectMinSq"] = c.minSq;
        entry["CorrectSelect"] = c.select;
        corrections.append(entry);
    }
    document["CorrectInfo"] = corrections;
    return document;
}

Json::Value KeyboardDocument() {
    constexpr int kKeys = 126;
    CKeyboardProfiledata profile;
    profile.SetLightInfo(Light(4, 5));  // colour wheel, full brightness
    const std::vector<std::uint32_t> codes = KeyboardKeyCodes();
    SetFactoryKeys(profile, codes);
    // Repeat 20, delay 500 ms, report rate option 3; the flags off.
    profile.SetSystemStages({PackHalves(20, 1), PackHalves(0, 3), PackHalves(0, 0)});
    profile.SetCustomLightColors(std::vector<CustomLightColor>(kKeys, {255, 255, 255, 255}), 0);
    profile.SetCustomLightGroupIndex(0);

    Json::Value document = profile.GetDocument();
    AddDefaultAssignments(document, codes);
    document["LightList"] = AreaLights(kKeys);
    return document;
}

Json::Value MousePadDocument() {
    CBasicProfiledata profile;
    profile.SetLightInfo(Light(1, 4));  // colour wheel, full brightness
    Json::Value document = profile.GetDocument();
    document["LightList"] = AreaLights(15);
    return document;
}

Json::Value HeadsetDocument() {
    CHs6533Profiledata profile;
    profile.SetLightInfo(Light(1, 4));
    // Voice changer off (effect 1), no equaliser, microphone on at 80, monitoring off at 50.
    profile.SetSystemSetStages({0, 1, 0, 0, 1, 80, 0, 50});
    const std::array<std::array<std::int32_t, 10>, 13> presets = {{
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // never used
        {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
        {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
        {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
        {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
        {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
        {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
        {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
        {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
        {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
        {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
    }};
    // Preset 0 has no equaliser type of its own (type 0 reads preset 1): write it directly.
    for (std::size_t p = 1; p < presets.size(); ++p) {
        profile.SetEqValues(static_cast<int>(p),
                            std::vector<std::int32_t>(presets[p].begin(), presets[p].end()));
    }
    profile.SetCustomEqNames({});
    Json::Value document = profile.GetDocument();
    for (Json::ArrayIndex b = 0; b < 10; ++b) {
        document["EQHzValueInfo"][0][b]["value"] = presets[0][b];
    }
    document["CustomEQHzValueInfo"] = Json::Value(Json::arrayValue);
    document["LightList"] = AreaLights(13);
    return document;
}

}  // namespace

Json::Value MakeDefaultProfileFile(std::string_view deviceFolderName) {
    if (deviceFolderName == datafolders::kMouseFolderName) {
        return Wrap(MouseDocument());
    }
    if (deviceFolderName == datafolders::kKeyboardFolderName) {
        return Wrap(KeyboardDocument());
    }
    if (deviceFolderName == datafolders::kMousePadFolderName) {
        return Wrap(MousePadDocument());
    }
    if (deviceFolderName == datafolders::kHeadsetFolderName) {
        return Wrap(HeadsetDocument());
    }
    return Json::Value();
}

bool WriteDefaultProfiles(const std::string& folder) {
    const CJsonFile json;
    bool ok = true;
    for (std::string_view name :
         {datafolders::kMouseFolderName, datafolders::kKeyboardFolderName,
          datafolders::kMousePadFolderName, datafolders::kHeadsetFolderName}) {
        ok = json.writejsonFile(folder + std::string(name) + ".Json",
                                MakeDefaultProfileFile(name)) &&
             ok;
    }
    return ok;
}

}  // namespace defaultprofiles
