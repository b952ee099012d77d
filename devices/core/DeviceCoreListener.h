#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "devices/core/LedColour.h"

namespace devices {

// How a device core reports to the page that owns it. Every call comes on the thread that ran
// the core operation (the UI thread) unless noted; the default implementations do nothing.
class IDeviceCoreListener {
public:
    virtual ~IDeviceCoreListener() = default;

    // The core's state was (re)loaded from the profile or the device: show everything again
    // (DPI stages, report rate, system settings, light settings, key info list).
    virtual void OnRefreshControls() {}
    // The device information was read: DPI limits and key slots may have changed.
    virtual void OnDeviceInfoRead() {}
    // The key list changed without a refresh (ValidateMacroKeys reset keys of missing macros).
    virtual void OnKeyInfoChanged() {}
    // The six status bytes: battery percent, charge state, -, wireless mark, status byte, phone
    // type. For the power indicator.
    virtual void OnStatusRead(const std::array<std::uint8_t, 6>& /*status*/) {}
    // The window messages 0xD00 (profile number) and 0xD01 (status byte 4) of the main window.
    virtual void OnDeviceMessage(int /*message*/, int /*value*/) {}
    // A light frame for the LED preview buttons (ShowLightFrame); the span lives for the call.
    virtual void OnLightFrame(std::span<const LedColour> /*leds*/) {}
    // ANY THREAD (the listener thread): set timer `timerId` with `delayMs` on the device's
    // entry in the device list. The page must post this to the UI thread and return at once.
    virtual void RequestEntryTimer(int /*timerId*/, int /*delayMs*/) {}
};

}  // namespace devices
