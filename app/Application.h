#pragma once

#include "app/CommandLine.h"

// Runs the window program: single instance, resources, the main window and its event loop.
// Returns the process's exit code.
int RunApplication(const CommandLineOptions& options, int argc, char** argv);
