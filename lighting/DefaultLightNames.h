#pragma once

#include <json/json.h>

#include <span>
#include <string_view>

#include "lighting/LightModel.h"

// The effect and area names "default_light.json" ships with, per device number. The program
// reads the names from the file; this table is what the file is generated from.
namespace lighting {

struct EffectNameEntry {
    std::string_view name;  // language key
    bool visible;
};

std::span<const EffectNameEntry> DefaultEffectNames(DeviceNumber device);
std::span<const std::string_view> DefaultAreaNames(DeviceNumber device);

// The whole "default_light.json" document.
Json::Value DefaultLightDocument();

}  // namespace lighting
