#pragma once

#include <string>
#include <string_view>

// Where the program keeps its files. Every folder returned ends in '/'.
namespace datafolders {

inline constexpr std::string_view kProductName = "Zorvath ZR-310 Gaming Mouse";

// Data folder names of the device kinds.
inline constexpr std::string_view kMouseFolderName = "mouse";
inline constexpr std::string_view kKeyboardFolderName = "keyboard";
inline constexpr std::string_view kMousePadFolderName = "MousePad";
inline constexpr std::string_view kHeadsetFolderName = "HD";

// Base name of every kind's light configuration file ("tamric_light.config").
inline constexpr std::string_view kLightFileName = "tamric_light";

// The read-only resources: the executable's folder when it holds "skin/", otherwise the
// installed data folder (<prefix>/share/zorvath/).
std::string GetResourceRoot();
// Tests point the resource root elsewhere; an empty path restores the normal rule.
void SetResourceRootForTesting(const std::string& folder);

// Resource root + "DefaultData/". Touches no file.
std::string GetDefaultDataFolder();
// Default data folder + device folder name + ".Json".
std::string GetDefaultProfilePath(std::string_view deviceFolderName);
// $XDG_DATA_HOME (or ~/.local/share) + "/" + product name + "/", created when missing.
std::string GetUserDataFolder();
// User data folder + device folder name + "/", created when missing.
std::string GetDeviceDataFolder(std::string_view deviceFolderName);
// $XDG_CACHE_HOME (or ~/.cache) + "/" + product name + "/UpdateData/", created when missing.
std::string GetUpdateDownloadFolder();

}  // namespace datafolders
