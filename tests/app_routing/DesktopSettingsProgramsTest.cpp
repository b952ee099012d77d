#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/routing/DesktopSettingsPrograms.h"

namespace {

using routing::SettingsPage;

std::string First(SettingsPage page, const char* desktop) {
    const auto commands = routing::DesktopSettingsCommands(page, desktop);
    if (commands.empty()) {
        return {};
    }
    std::string text = commands.front().program;
    for (const auto& argument : commands.front().arguments) {
        text += " " + argument;
    }
    return text;
}

TEST(DesktopSettingsPrograms, TheRunningDesktopComesFirst) {
    struct Case {
        SettingsPage page;
        const char* desktop;
        const char* first;
    };
    const Case cases[] = {
        {SettingsPage::Keyboard, "ubuntu:GNOME", "gnome-control-center keyboard"},
        {SettingsPage::Mouse, "GNOME", "gnome-control-center mouse"},
        {SettingsPage::Mouse, "KDE", "systemsettings kcm_mouse"},
        {SettingsPage::Keyboard, "kde", "systemsettings kcm_keyboard"},
        {SettingsPage::Keyboard, "XFCE", "xfce4-keyboard-settings"},
        {SettingsPage::Mouse, "MATE", "mate-mouse-properties"},
        {SettingsPage::Mouse, "X-Cinnamon", "cinnamon-settings mouse"},
        {SettingsPage::Mouse, "LXQt", "lxqt-config-input"},
        {SettingsPage::Mouse, "", "gnome-control-center mouse"},
        {SettingsPage::Mouse, "SomethingElse", "gnome-control-center mouse"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(First(c.page, c.desktop), c.first) << c.desktop;
    }
}

TEST(DesktopSettingsPrograms, EveryKnownProgramIsTriedOnce) {
    const auto commands = routing::DesktopSettingsCommands(SettingsPage::Keyboard, "KDE:GNOME");
    std::set<std::string> programs;
    for (const auto& command : commands) {
        EXPECT_TRUE(programs.insert(command.program).second) << command.program;
    }
    // In the variable's order: KDE's tools, then GNOME's, then the others.
    EXPECT_EQ(commands[0].program, "systemsettings");
    EXPECT_EQ(commands[3].program, "gnome-control-center");
    EXPECT_TRUE(programs.count("xfce4-keyboard-settings") == 1);
    EXPECT_TRUE(programs.count("lxqt-config-input") == 1);
}

}  // namespace
