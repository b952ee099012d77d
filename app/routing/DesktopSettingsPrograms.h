#pragma once

#include <string>
#include <string_view>
#include <vector>

// The programs that open the desktop's keyboard or mouse settings, most likely first.
namespace routing {

enum class SettingsPage { Keyboard = 0, Mouse = 1 };

struct SettingsCommand {
    std::string program;
    std::vector<std::string> arguments;
};

// currentDesktop is $XDG_CURRENT_DESKTOP (a ":"-separated list such as "ubuntu:GNOME"); the
// commands of the desktops it names come first, then every other known desktop's.
std::vector<SettingsCommand> DesktopSettingsCommands(SettingsPage page,
                                                     std::string_view currentDesktop);

}  // namespace routing
