#pragma once

#include <json/json.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lighting/LightModel.h"
#include "profiles/ProfileRecords.h"

// The three light files: "default_light.json" (effect names of every kind, default data
// folder), "tamric_light.config" (the user lights of a kind, device data folder) and the user
// light files "<Guid>.light" (their steps, beside the configuration). This program only reads
// them.
namespace lighting {

inline constexpr std::string_view kDefaultLightFileName = "default_light.json";
inline constexpr std::string_view kLightConfigFileName = "tamric_light.config";
inline constexpr std::string_view kLightFileExtension = ".light";

// The name lists a device keeps, filled by ReloadNameLists.
struct LightNameLists {
    std::vector<std::string> effectNames;        // language keys, index = effect number
    std::vector<std::uint8_t> effectVisibility;  // 0: the effect keeps its number but is hidden
    std::vector<std::string> areaLightNames;
    std::vector<std::string> userLightNames;  // shown as they are, index = user light number
};

// Refill from a parsed "default_light.json": "DefaultLightName"[device] (its first
// kEffectNumberCount entries) and "AreaLightName"[device]; a list whose source is missing keeps
// its content.
void ApplyDefaultLightDocument(LightNameLists& lists, const Json::Value& document,
                               DeviceNumber device);
// Refill userLightNames from a parsed "tamric_light.config" (at most UserLightCapacity entries);
// kept when "LightInfo"[device] is missing.
void ApplyLightConfigDocument(LightNameLists& lists, const Json::Value& document,
                              DeviceNumber device);
// Reads both files from their folders and applies them.
void ReloadNameLists(LightNameLists& lists, std::string_view defaultDataFolder,
                     std::string_view deviceDataFolder, DeviceNumber device);

// The effect name at the end of the logo tooltip: a built-in effect's language key (translate)
// or a user light's own name; none when the number is outside both lists.
struct EffectDisplayName {
    std::string text;
    bool translate = false;
};
std::optional<EffectDisplayName> EffectNameForTooltip(const LightNameLists& lists,
                                                      DeviceNumber device, int effect);

struct UserLightEntry {
    std::string name;
    std::string guid;
};

// "LightInfo"[device] of a light configuration, in order, at most UserLightCapacity entries.
std::vector<UserLightEntry> UserLightEntries(const Json::Value& config, DeviceNumber device);

// folder + guid + ".light"; none when the Guid would name a file outside the folder.
std::optional<std::string> LightFilePath(std::string_view folder, std::string_view guid);

// One step per element of "LEDEffectList": bytes keep their low 8 bits, "Time" and "Cyle" their
// low 32; booleans count as 0/1; missing or wrong-typed members read as 0.
std::vector<LightEffectStep> StepsFromLightDocument(const Json::Value& document);

// The steps of the user light an effect selects (UserLightIndex): the file named by its "Guid"
// in the device data folder. Empty when the effect selects none, the entry or the file is
// missing or unreadable, or the Guid is not a plain file name.
std::vector<LightEffectStep> LoadUserLightSteps(std::string_view deviceDataFolder,
                                                const Json::Value& config, DeviceNumber device,
                                                int effect);

}  // namespace lighting
