#pragma once

#include <string>

class QWidget;

// Fills the "No device" page ("No_device_Link") for what is actually wrong: no mouse plugged in,
// or a mouse that is present but whose nodes this user may not open (the udev rule is missing).
void RefreshNoDevicePage(QWidget* noDeviceLink);

// Tests: how device nodes are probed (see CheckHidAccess); null restores the real probe.
void SetNoDeviceProbeForTesting(int (*probe)(const std::string& node));
