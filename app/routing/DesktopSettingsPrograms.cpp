#include "app/routing/DesktopSettingsPrograms.h"

#include <array>
#include <utility>

#include "app/routing/RouteNames.h"

namespace routing {

namespace {

struct DesktopEntry {
    std::string_view desktop;  // as $XDG_CURRENT_DESKTOP names it
    std::string_view program;
    std::string_view keyboardArgument;  // empty: the program takes no argument
    std::string_view mouseArgument;
    bool separatePrograms;  // keyboard and mouse are two programs (program holds a %s)
};

// Order within a desktop: the newest tool first.
constexpr std::array kDesktops{
    DesktopEntry{"GNOME", "gnome-control-center", "keyboard", "mouse", false},
    DesktopEntry{"Unity", "gnome-control-center", "keyboard", "mouse", false},
    DesktopEntry{"KDE", "systemsettings", "kcm_keyboard", "kcm_mouse", false},
    DesktopEntry{"KDE", "kcmshell6", "kcm_keyboard", "kcm_mouse", false},
    DesktopEntry{"KDE", "kcmshell5", "kcm_keyboard", "kcm_mouse", false},
    DesktopEntry{"XFCE", "xfce4-%s-settings", "keyboard", "mouse", true},
    DesktopEntry{"MATE", "mate-%s-properties", "keyboard", "mouse", true},
    DesktopEntry{"X-Cinnamon", "cinnamon-settings", "keyboard", "mouse", false},
    DesktopEntry{"LXQt", "lxqt-config-input", "", "", false},
};

SettingsCommand CommandOf(const DesktopEntry& entry, SettingsPage page) {
    const std::string_view word =
        page == SettingsPage::Keyboard ? entry.keyboardArgument : entry.mouseArgument;
    SettingsCommand command;
    if (entry.separatePrograms) {
        std::string program(entry.program);
        program.replace(program.find("%s"), 2, word);
        command.program = program;
    } else {
        command.program = std::string(entry.program);
        if (!word.empty()) {
            command.arguments.emplace_back(word);
        }
    }
    return command;
}

void AddOnce(std::vector<SettingsCommand>& commands, SettingsCommand command) {
    for (const SettingsCommand& known : commands) {
        if (known.program == command.program && known.arguments == command.arguments) {
            return;
        }
    }
    commands.push_back(std::move(command));
}

}  // namespace

std::vector<SettingsCommand> DesktopSettingsCommands(SettingsPage page,
                                                     std::string_view currentDesktop) {
    std::vector<SettingsCommand> commands;
    // The desktops in the order the variable lists them, then all others.
    std::string_view list = currentDesktop;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view desktop = list.substr(0, colon);
        for (const DesktopEntry& entry : kDesktops) {
            if (EqualsIgnoringCase(entry.desktop, desktop)) {
                AddOnce(commands, CommandOf(entry, page));
            }
        }
        if (colon == std::string_view::npos) {
            break;
        }
        list.remove_prefix(colon + 1);
    }
    for (const DesktopEntry& entry : kDesktops) {
        AddOnce(commands, CommandOf(entry, page));
    }
    return commands;
}

}  // namespace routing
