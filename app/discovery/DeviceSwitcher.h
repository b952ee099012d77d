#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "app/MainWndParts.h"
#include "app/discovery/DevicePage.h"
#include "app/discovery/DeviceSwitcherHost.h"
#include "app/discovery/DiscoveryPass.h"
#include "app/discovery/LightSync.h"
#include "app/discovery/SharedSlotList.h"
#include "hid/HidBackend.h"

namespace appearance {
class CDeviceOptionUI;
class CMpDevicePowerUI;
}  // namespace appearance

namespace ui {
class TabLayout;
}
namespace routing {
class ControlHandler;
}

namespace discovery {

// Device discovery and switching of the main window: the slot list, one hidden device page,
// device list entry and power indicator per device kind (alive for the whole run, so a device
// that comes back is the same object with its settings), arrivals and removals handed over by
// the discovery thread, which entry is shown and selected, and light synchronisation.
class CDeviceSwitcher : public IDeviceSwitcher {
public:
    static constexpr int kDiscoverySlot = 0;
    static constexpr int kLightSyncSlot = 8;
    // While the system sleeps, arrivals and removals wait and are looked at again this often.
    static constexpr int kAsleepRetryMs = 1000;

    // backend null: the process's HID backend. classes: the device classes that exist.
    CDeviceSwitcher(IDeviceSwitcherHost& host, std::vector<DevicePageClass> classes,
                    std::shared_ptr<hid::IHidBackend> backend = {});
    ~CDeviceSwitcher() override;

    // IDeviceSwitcher
    void CreateDevicePages() override;
    void StartThreads() override;
    int CountVisibleEntries() const override { return VisibleEntries().second; }
    void SetWindowActive(bool active) override;
    void SetLiveLight(bool on) override;
    void OnLanguageChanged() override;
    void Shutdown() override;

    // Hand-overs of the discovery thread (UI thread).
    void OnDeviceArrival(std::size_t slotIndex);
    void OnDeviceRemoval(std::size_t slotIndex);

    void ShowDeviceEntry(std::size_t index, bool visible, bool select);
    void HideDeviceEntry(std::size_t index);
    // "device_select_prev" / "device_select_next".
    void SelectPreviousDevice();
    void SelectNextDevice();
    // "device_select" or "synchro_device_select" changed.
    void OnDeviceEntrySelected();
    // (first visible entry or -1, number of visible entries).
    std::pair<int, int> VisibleEntries() const;

    // The device of the first entry that is visible and selected, or null.
    IDevicePage* CurrentDevice() const;
    // "deng_same_mode": every open device takes the current device's light effect and follows
    // the common frames. False when the current device's effect cannot be shared.
    bool EnterSameMode();

    // Created devices in entry order.
    std::size_t DeviceCount() const { return devices_.size(); }
    IDevicePage* Device(std::size_t index) const;
    appearance::CDeviceOptionUI* Entry(std::size_t index) const;
    const CSharedSlotList& Slots() const { return slots_; }
    CLightSync* LightSync() const { return lightSync_.get(); }
    // The routed control events of switching ("device_select_prev", "deng_same_mode", ...).
    routing::ControlHandler* Controls() const { return controls_.get(); }

private:
    struct CreatedDevice;
    class Events;
    class SyncTarget;

    void CreateDevice(const hid::HidInterfaceId& slot);
    // True when the system sleeps: change runs once it is awake again.
    bool DeferWhileAsleep(std::function<void()> change);
    std::uint16_t ListKind(std::uint16_t kind) const;
    int FindBySlotRecord(const hid::HidInterfaceId& slot) const;
    bool EntryVisible(std::size_t index) const;
    bool EntrySelected(std::size_t index) const;
    void ShowPages(std::size_t index);
    ui::TabLayout* Tabs(const char* name) const;
    void ForEachListedDevice(const std::function<void(devices::CUsbDeviceCore&)>& f);

    IDeviceSwitcherHost& host_;
    std::vector<DevicePageClass> classes_;
    std::shared_ptr<hid::IHidBackend> backend_;
    CSharedSlotList slots_;
    std::vector<std::unique_ptr<CreatedDevice>> devices_;
    std::unique_ptr<CDiscoveryPass> pass_;
    std::unique_ptr<Events> events_;
    std::vector<std::unique_ptr<SyncTarget>> syncTargets_;
    std::unique_ptr<CLightSync> lightSync_;
    std::unique_ptr<routing::ControlHandler> controls_;
    QObject timerContext_;  // deferred changes die with the switcher
};

}  // namespace discovery
