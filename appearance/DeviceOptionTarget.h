#pragma once

namespace appearance {

class CDeviceOptionUI;

// What a device list entry drives on its device. The device classes implement it; the entry
// calls it on the UI thread from its timers only. A device that goes away before its entry
// unbinds itself first (entry->BindDevice(nullptr)), so the entry never holds a dead device.
class DeviceOptionTarget {
public:
    virtual ~DeviceOptionTarget() = default;

    virtual void OpenDevice() = 0;
    // Shows the next preview frame; returns true when the preview changed since the last call.
    virtual bool ShowLightFrame() = 0;
    virtual void RefreshFromDevice() = 0;
    // The two spare operations that timers 1003 and 1004 run.
    virtual void SpareOperation1() {}
    virtual void SpareOperation2() {}
    virtual void RefreshStatus() = 0;

    virtual int GetStatusPolling() const = 0;
    virtual bool IsCommandChannelOpen() const = 0;
    // The main window is active or hovered: only then is the entry's preview repainted.
    virtual bool IsWindowActive() const { return true; }

    virtual void SetOptionEntry(CDeviceOptionUI* entry) = 0;
};

}  // namespace appearance
