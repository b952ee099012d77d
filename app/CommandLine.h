#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the command line asked for. Parsing is Qt-free so it can be tested on its own.
struct CommandLineOptions {
    bool simulate = false;
    std::vector<std::string> simulatedKinds;  // "mouse", "keyboard", "mousepad", "headset"
    bool trace = false;
    bool listInterfaces = false;
    bool help = false;
    bool version = false;
    std::string screenshotPath;
    int quitAfterMs = -1;  // -1: run until the user quits
    std::string error;     // set when the command line could not be understood
};

CommandLineOptions ParseCommandLine(const std::vector<std::string_view>& args);

// The text of --help.
std::string CommandLineUsage();
