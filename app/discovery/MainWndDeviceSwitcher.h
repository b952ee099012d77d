#pragma once

#include <memory>

#include "app/MainWndParts.h"
#include "hid/HidBackend.h"

class CMainWnd;

namespace discovery {

// Device discovery and switching for the main window, with the device classes that exist.
// backend null: the process's HID backend.
std::unique_ptr<IDeviceSwitcher> CreateMainWndDeviceSwitcher(
    CMainWnd& window, std::shared_ptr<hid::IHidBackend> backend = {});

}  // namespace discovery
