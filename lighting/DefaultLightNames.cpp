#include "lighting/DefaultLightNames.h"

#include <array>
#include <string>

namespace lighting {

namespace {

// Numbers 0 to 27. 0, 19 and 25 run the user light player; 26 and 27 are preview-only (the
// keyboard takes effects 0 to 24): all five stay hidden but keep their numbers.
constexpr std::array<EffectNameEntry, 28> kKeyboardEffects{{
    {"light_effect_user", false},
    {"light_effect_wave", true},
    {"light_effect_rainbow_wave", true},
    {"light_effect_snake", true},
    {"light_effect_wheel", true},
    {"light_effect_breathing", true},
    {"light_effect_steady", true},
    {"light_effect_reactive", true},
    {"light_effect_reactive_ripple", true},
    {"light_effect_reactive_line", true},
    {"light_effect_flow", true},
    {"light_effect_raindrop", true},
    {"light_effect_spiral", true},
    {"light_effect_starlight", true},
    {"light_effect_aurora", true},
    {"light_effect_fireworks", true},
    {"light_effect_radar", true},
    {"light_effect_extra_modes", true},
    {"light_effect_scan", true},
    {"light_effect_user", false},
    {"light_effect_custom_colours", true},
    {"light_effect_twinkle", true},
    {"light_effect_breathing_four", true},
    {"light_effect_blinking_four", true},
    {"light_effect_off", true},
    {"light_effect_user", false},
    {"light_effect_blinking", false},
    {"light_effect_marquee", false},
}};

constexpr std::array<EffectNameEntry, 9> kMouseEffects{{
    {"light_effect_spectrum", true},
    {"light_effect_wheel", true},
    {"light_effect_breathing", true},
    {"light_effect_steady", true},
    {"light_effect_blinking", true},
    {"light_effect_dpi_colour", true},
    {"light_effect_breathing_four", true},
    {"light_effect_blinking_four", true},
    {"light_effect_off", true},
}};

// Effect 5 runs the user light player but selects no user light of its own: hidden.
constexpr std::array<EffectNameEntry, 9> kPadAndHeadsetEffects{{
    {"light_effect_spectrum", true},
    {"light_effect_wheel", true},
    {"light_effect_breathing", true},
    {"light_effect_steady", true},
    {"light_effect_blinking", true},
    {"light_effect_user", false},
    {"light_effect_ring", true},
    {"light_effect_ripple", true},
    {"light_effect_off", true},
}};

constexpr std::array<std::string_view, 1> kKeyboardAreas{"light_area_keys"};
constexpr std::array<std::string_view, 1> kMouseAreas{"light_area_logo"};
constexpr std::array<std::string_view, 1> kPadAreas{"light_area_edge"};
constexpr std::array<std::string_view, 2> kHeadsetAreas{"light_area_left", "light_area_right"};

}  // namespace

std::span<const EffectNameEntry> DefaultEffectNames(DeviceNumber device) {
    switch (device) {
        case DeviceNumber::Keyboard:
            return kKeyboardEffects;
        case DeviceNumber::Mouse:
            return kMouseEffects;
        default:
            return kPadAndHeadsetEffects;
    }
}

std::span<const std::string_view> DefaultAreaNames(DeviceNumber device) {
    switch (device) {
        case DeviceNumber::Keyboard:
            return kKeyboardAreas;
        case DeviceNumber::Mouse:
            return kMouseAreas;
        case DeviceNumber::MousePad:
            return kPadAreas;
        default:
            return kHeadsetAreas;
    }
}

Json::Value DefaultLightDocument() {
    Json::Value document(Json::objectValue);
    Json::Value& effects = document["DefaultLightName"] = Json::Value(Json::arrayValue);
    Json::Value& areas = document["AreaLightName"] = Json::Value(Json::arrayValue);
    for (int d = 0; d < kDeviceNumberCount; ++d) {
        const auto device = static_cast<DeviceNumber>(d);
        Json::Value list(Json::arrayValue);
        for (const EffectNameEntry& entry : DefaultEffectNames(device)) {
            Json::Value item(Json::objectValue);
            item["LightName"] = std::string(entry.name);
            item["visible"] = entry.visible;
            list.append(item);
        }
        effects.append(list);
        Json::Value areaList(Json::arrayValue);
        for (std::string_view name : DefaultAreaNames(device)) {
            Json::Value item(Json::objectValue);
            item["LightName"] = std::string(name);
            areaList.append(item);
        }
        areas.append(areaList);
    }
    return document;
}

}  // namespace lighting
