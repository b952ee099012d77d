#include "lighting/LightFiles.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

namespace lighting {

namespace {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

// The array for a device inside the outer array member key, or nullptr.
const Json::Value* DeviceArray(const Json::Value& document, const char* key, DeviceNumber device) {
    const Json::Value* outer = jsonaccess::ArrayMember(&document, key);
    const Json::Value* inner =
        jsonaccess::Element(outer, static_cast<Json::ArrayIndex>(static_cast<int>(device)));
    return inner != nullptr && inner->isArray() ? inner : nullptr;
}

std::string NameOf(const Json::Value& entry) {
    return jsonaccess::Text(jsonaccess::Member(&entry, "LightName"));
}

// How many entries of a list are read: those an effect number can reach.
Json::ArrayIndex Reachable(const Json::Value& array, std::size_t limit) {
    return static_cast<Json::ArrayIndex>(std::min<std::size_t>(array.size(), limit));
}

}  // namespace

void ApplyDefaultLightDocument(LightNameLists& lists, const Json::Value& document,
                               DeviceNumber device) {
    if (const Json::Value* effects = DeviceArray(document, "DefaultLightName", device)) {
        lists.effectNames.clear();
        lists.effectVisibility.clear();
        for (Json::ArrayIndex i = 0; i < Reachable(*effects, kEffectNumberCount); ++i) {
            const Json::Value& entry = (*effects)[i];
            lists.effectNames.push_back(NameOf(entry));
            lists.effectVisibility.push_back(
                jsonaccess::Flag(jsonaccess::Member(&entry, "visible")) ? 1 : 0);
        }
    }
    if (const Json::Value* areas = DeviceArray(document, "AreaLightName", device)) {
        lists.areaLightNames.clear();
        for (const Json::Value& entry : *areas) {
            lists.areaLightNames.push_back(NameOf(entry));
        }
    }
}

void ApplyLightConfigDocument(LightNameLists& lists, const Json::Value& document,
                              DeviceNumber device) {
    if (const Json::Value* lights = DeviceArray(document, "LightInfo", device)) {
        lists.userLightNames.clear();
        for (Json::ArrayIndex i = 0; i < Reachable(*lights, UserLightCapacity(device)); ++i) {
            lists.userLightNames.push_back(NameOf((*lights)[i]));
        }
    }
}

void ReloadNameLists(LightNameLists& lists, std::string_view defaultDataFolder,
                     std::string_view deviceDataFolder, DeviceNumber device) {
    const CJsonFile json;
    ApplyDefaultLightDocument(
        lists, json.readjsonValue(JoinPath(defaultDataFolder, kDefaultLightFileName)), device);
    ApplyLightConfigDocument(
        lists, json.readjsonValue(JoinPath(deviceDataFolder, kLightConfigFileName)), device);
}

std::optional<EffectDisplayName> EffectNameForTooltip(const LightNameLists& lists,
                                                      DeviceNumber device, int effect) {
    if (effect < 0) {
        return std::nullopt;
    }
    if (const std::optional<std::size_t> k = UserLightIndex(device, effect)) {
        if (*k < lists.userLightNames.size()) {
            return EffectDisplayName{lists.userLightNames[*k], false};
        }
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(effect);
    if (index < lists.effectNames.size()) {
        return EffectDisplayName{lists.effectNames[index], true};
    }
    return std::nullopt;
}

std::vector<UserLightEntry> UserLightEntries(const Json::Value& config, DeviceNumber device) {
    std::vector<UserLightEntry> entries;
    if (const Json::Value* lights = DeviceArray(config, "LightInfo", device)) {
        const Json::ArrayIndex count = Reachable(*lights, UserLightCapacity(device));
        entries.reserve(count);
        for (Json::ArrayIndex i = 0; i < count; ++i) {
            const Json::Value& entry = (*lights)[i];
            entries.push_back(
                {NameOf(entry), jsonaccess::Text(jsonaccess::Member(&entry, "Guid"))});
        }
    }
    return entries;
}

std::optional<std::string> LightFilePath(std::string_view folder, std::string_view guid) {
    if (!files::IsSafeFileName(guid) || guid.find("..") != std::string_view::npos) {
        return std::nullopt;
    }
    return JoinPath(folder, std::string(guid) + std::string(kLightFileExtension));
}

std::vector<LightEffectStep> StepsFromLightDocument(const Json::Value& document) {
    std::vector<LightEffectStep> steps;
    const Json::Value* list = jsonaccess::ArrayMember(&document, "LEDEffectList");
    if (list == nullptr) {
        return steps;
    }
    steps.reserve(list->size());
    for (const Json::Value& item : *list) {
        using jsonaccess::LowByte;
        using jsonaccess::Member;
        LightEffectStep step;
        step.ledRegMode = LowByte(Member(&item, "LEDREGMode"));
        step.ledDirection = LowByte(Member(&item, "LEDDirection"));
        step.ledBrightness = LowByte(Member(&item, "LEDBrightness"));
        step.ledSpeed = LowByte(Member(&item, "LEDSpeed"));
        step.ledMultiColor = LowByte(Member(&item, "LEDMultiColor"));
        step.red = LowByte(Member(&item, "red"));
        step.green = LowByte(Member(&item, "green"));
        step.blue = LowByte(Member(&item, "blue"));
        step.time = jsonaccess::Low32(Member(&item, "Time"));
        step.cyle = jsonaccess::Low32(Member(&item, "Cyle"));
        steps.push_back(step);
    }
    return steps;
}

std::vector<LightEffectStep> LoadUserLightSteps(std::string_view deviceDataFolder,
                                                const Json::Value& config, DeviceNumber device,
                                                int effect) {
    const std::optional<std::size_t> k = UserLightIndex(device, effect);
    if (!k) {
        return {};
    }
    const std::vector<UserLightEntry> entries = UserLightEntries(config, device);
    if (*k >= entries.size()) {
        return {};
    }
    const std::optional<std::string> path = LightFilePath(deviceDataFolder, entries[*k].guid);
    if (!path) {
        return {};
    }
    return StepsFromLightDocument(CJsonFile().readjsonValue(*path));
}

}  // namespace lighting
