#pragma once

#include <json/json.h>

#include <string>
#include <string_view>

// The factory profiles shipped in "DefaultData": one file per device kind, named after the kind's
// data folder ("mouse.Json", "keyboard.Json", "MousePad.Json", "HD.Json").
namespace defaultprofiles {

// Assumed by the mouse's factory stages: DPI = slider value x 50, slider maximum 520 (26000 DPI).
inline constexpr int kMouseDpiStep = 50;

// The whole default profile file ({"Device": [document]}) of a device folder name; null for an
// unknown name.
Json::Value MakeDefaultProfileFile(std::string_view deviceFolderName);

// Writes the four default profile files into folder (which must end in '/'). False when any
// write failed.
bool WriteDefaultProfiles(const std::string& folder);

}  // namespace defaultprofiles
