#pragma once

class QWidget;

// Fills the "No device" page ("No_device_Link") for what is actually wrong: no mouse plugged in,
// or a mouse that is present but whose nodes this user may not open (the udev rule is missing).
void RefreshNoDevicePage(QWidget* noDeviceLink);
