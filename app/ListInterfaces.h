#pragma once

#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "hid/HidBackend.h"

// Prints every HID interface found (real, or the emulated devices with --simulate), one line
// each, and returns the process exit code.
int ListInterfaces(const CommandLineOptions& options, std::FILE* out);

// The same over backend. Only interfaces of supported devices are opened, and only for reading;
// the others are described from enumeration and marked "open=-".
int ListInterfaces(const std::shared_ptr<hid::IHidBackend>& backend, std::FILE* out);
