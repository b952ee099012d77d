#include "profiles/KeyboardProfiledata.h"

#include "profiles/JsonAccess.h"

using jsonaccess::Element;
using jsonaccess::Low16;
using jsonaccess::LowByte;
using jsonaccess::Member;
using jsonaccess::ObjectMember;

namespace {

// Bounds that keep a stray index from writing a file of millions of null elements.
constexpr int kMaxCustomGroup = 255;
constexpr int kMaxCustomColors = 4096;

Json::Value ZeroColour() {
    Json::Value colour(Json::objectValue);
    colour["Red"] = 0;
    colour["Green"] = 0;
    colour["Blue"] = 0;
    colour["Alpha"] = 0;
    return colour;
}

}  // namespace

CKeyboardProfiledata::CKeyboardProfiledata() {
    SetUserLightSource(0, 28);
}

SystemStageWords CKeyboardProfiledata::GetSystemStages() {
    SystemStageWords words{};
    if (const Json::Value* system = ObjectMember(ReadableDocument(), "SystemStages")) {
        words[0] =
            PackHalves(Low16(Member(system, "Repeat")), Low16(Member(system, "RepeatDelay")));
        words[1] =
            PackHalves(Low16(Member(system, "Key6Flag")), Low16(Member(system, "PollingRate")));
        words[2] = PackHalves(Low16(Member(system, "WFlag")), Low16(Member(system, "WinFlag")));
    }
    systemStages_ = words;
    return words;
}

void CKeyboardProfiledata::SetSystemStages(const SystemStageWords& words) {
    systemStages_ = words;
    Json::Value& system = jsonaccess::ObjectAt(WritableDocument(), "SystemStages");
    system["Repeat"] = LowHalf(words[0]);
    system["RepeatDelay"] = HighHalf(words[0]);
    system["Key6Flag"] = LowHalf(words[1]);
    system["PollingRate"] = HighHalf(words[1]);
    system["WFlag"] = LowHalf(words[2]);
    system["WinFlag"] = HighHalf(words[2]);
}

std::vector<CustomLightColor> CKeyboardProfiledata::GetCustomLightColors(int group, int count) {
    std::vector<CustomLightColor> colours;
    if (group < 0 || group > kMaxCustomGroup || count <= 0 || count > kMaxCustomColors) {
        customColors_ = colours;
        return colours;
    }
    colours.reserve(static_cast<std::size_t>(count));
    const Json::Value* mode = ObjectMember(ReadableDocument(), "CustomLightMode");
    const Json::Value* stored = jsonaccess::Element(jsonaccess::ArrayMember(mode, "LightColorInfo"),
                                                    static_cast<Json::ArrayIndex>(group));
    if (stored != nullptr && !stored->isArray()) {
        stored = nullptr;
    }
    // Positions are written only where something is missing, so a complete group stays as is.
    Json::Value* groupArray = nullptr;
    for (int i = 0; i < count; ++i) {
        const auto position = static_cast<Json::ArrayIndex>(i);
        const Json::Value* item = Element(stored, position);
        if (item != nullptr && item->isObject()) {
            colours.push_back({LowByte(Member(item, "Red")), LowByte(Member(item, "Green")),
                               LowByte(Member(item, "Blue")), LowByte(Member(item, "Alpha"))});
            continue;
        }
        if (groupArray == nullptr) {
            groupArray = &jsonaccess::ArrayAt(
                jsonaccess::ArrayAt(jsonaccess::ObjectAt(WritableDocument(), "CustomLightMode"),
                                    "LightColorInfo"),
                static_cast<Json::ArrayIndex>(group));
            stored = groupArray;
        }
        (*groupArray)[position] = ZeroColour();
        colours.push_back(CustomLightColor{});
    }
    customColors_ = colours;
    return colours;
}

void CKeyboardProfiledata::SetCustomLightColors(const std::vector<CustomLightColor>& colors,
                                                int group) {
    customColors_ = colors;
    if (group < 0 || group > kMaxCustomGroup) {
        return;
    }
    Json::Value& groupArray = jsonaccess::ArrayAt(
        jsonaccess::ArrayAt(jsonaccess::ObjectAt(WritableDocument(), "CustomLightMode"),
                            "LightColorInfo"),
        static_cast<Json::ArrayIndex>(group));
    for (std::size_t i = 0; i < colors.size(); ++i) {
        Json::Value& item = jsonaccess::ObjectAt(groupArray, static_cast<Json::ArrayIndex>(i));
        item["Red"] = colors[i].red;
        item["Green"] = colors[i].green;
        item["Blue"] = colors[i].blue;
        item["Alpha"] = colors[i].alpha;
    }
}

int CKeyboardProfiledata::GetCustomLightGroupIndex() {
    const Json::Value* mode = ObjectMember(ReadableDocument(), "CustomLightMode");
    customGroupIndex_ = jsonaccess::Low32(Member(mode, "CustomLightModeGroupIndex"));
    return customGroupIndex_;
}

void CKeyboardProfiledata::SetCustomLightGroupIndex(int group) {
    customGroupIndex_ = group;
    jsonaccess::ObjectAt(WritableDocument(), "CustomLightMode")["CustomLightModeGroupIndex"] =
        group;
}
