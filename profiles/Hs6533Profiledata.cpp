#include "profiles/Hs6533Profiledata.h"

#include "profiles/JsonAccess.h"

using jsonaccess::Element;
using jsonaccess::Member;

namespace {

constexpr const char* kSettingNames[8] = {
    "MagicEnable", "MagicType",  "EqType",           "CustomEqSeletIndex",
    "MicInSelect", "MicInValue", "MicMoniterSelect", "MicMoniterValue",
};

// Above this an index would make every save write that many null elements.
constexpr int kMaxEqIndex = 255;

}  // namespace

CHs6533Profiledata::CHs6533Profiledata() {
    SetUserLightSource(3, 9);
}

HeadsetSettings CHs6533Profiledata::GetSystemSetStages() {
    HeadsetSettings settings{};
    if (const Json::Value* stages =
            jsonaccess::ObjectMember(ReadableDocument(), "SystemSetStages")) {
        for (std::size_t i = 0; i < settings.size(); ++i) {
            settings[i] = jsonaccess::Low32(Member(stages, kSettingNames[i]));
        }
    }
    settings_ = settings;
    return settings;
}

void CHs6533Profiledata::SetSystemSetStages(const HeadsetSettings& settings) {
    settings_ = settings;
    Json::Value& stages = jsonaccess::ObjectAt(WritableDocument(), "SystemSetStages");
    for (std::size_t i = 0; i < settings.size(); ++i) {
        stages[kSettingNames[i]] = settings[i];
    }
}

int CHs6533Profiledata::PresetIndex(int eqType) {
    if (eqType == kUserEqType) {
        return -1;
    }
    return eqType >= 1 && eqType <= 12 ? eqType : 1;
}

std::vector<std::int32_t> CHs6533Profiledata::ReadBands(const char* section, int index) {
    std::vector<std::int32_t> values;
    if (index < 0 || index > kMaxEqIndex) {
        return values;
    }
    const Json::Value* bands = Element(jsonaccess::ArrayMember(ReadableDocument(), section),
                                       static_cast<Json::ArrayIndex>(index));
    if (bands != nullptr && !bands->isArray()) {
        bands = nullptr;
    }
    if (bands == nullptr) {
        WriteBands(section, index, std::vector<std::int32_t>(kBandCount, 0));
        return std::vector<std::int32_t>(kBandCount, 0);
    }
    values.reserve(kBandCount);
    for (int i = 0; i < kBandCount; ++i) {
        values.push_back(
            jsonaccess::Low32(Member(Element(bands, static_cast<Json::ArrayIndex>(i)), "value")));
    }
    return values;
}

void CHs6533Profiledata::WriteBands(const char* section, int index,
                                    const std::vector<std::int32_t>& values) {
    if (index < 0 || index > kMaxEqIndex) {
        return;
    }
    Json::Value& bands = jsonaccess::ArrayAt(jsonaccess::ArrayAt(WritableDocument(), section),
                                             static_cast<Json::ArrayIndex>(index));
    for (int i = 0; i < kBandCount; ++i) {
        const std::int32_t value =
            static_cast<std::size_t>(i) < values.size() ? values[static_cast<std::size_t>(i)] : 0;
        jsonaccess::ObjectAt(bands, static_cast<Json::ArrayIndex>(i))["value"] = value;
    }
}

std::vector<std::int32_t> CHs6533Profiledata::GetEqValues(int eqType) {
    return ReadBands("EQHzValueInfo", PresetIndex(eqType));
}

void CHs6533Profiledata::SetEqValues(int eqType, const std::vector<std::int32_t>& values) {
    WriteBands("EQHzValueInfo", PresetIndex(eqType), values);
}

std::vector<std::int32_t> CHs6533Profiledata::GetCustomEqValues(int index) {
    return ReadBands("CustomEQHzValueInfo", index);
}

void CHs6533Profiledata::SetCustomEqValues(int index, const std::vector<std::int32_t>& values) {
    WriteBands("CustomEQHzValueInfo", index, values);
}

std::vector<std::string> CHs6533Profiledata::GetCustomEqNames() {
    std::vector<std::string> names;
    if (const Json::Value* list = jsonaccess::ArrayMember(ReadableDocument(), "CustomEQNameInfo")) {
        names.reserve(list->size());
        for (Json::ArrayIndex i = 0; i < list->size(); ++i) {
            names.push_back(jsonaccess::Text(Member(Element(list, i), "Name")));
        }
    }
    return names;
}

void CHs6533Profiledata::SetCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        Json::Value item(Json::objectValue);
        item["Name"] = name;
        list.append(item);
    }
    WritableDocument()["CustomEQNameInfo"] = list;
}
