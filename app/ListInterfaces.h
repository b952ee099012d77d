#pragma once

#include <cstdio>

#include "app/CommandLine.h"

// Prints every HID interface found (real, or the emulated devices with --simulate), one line
// each, and returns the process exit code.
int ListInterfaces(const CommandLineOptions& options, std::FILE* out);
