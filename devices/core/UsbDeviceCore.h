#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "devices/core/DeviceCoreListener.h"
#include "devices/core/LedColour.h"
#include "devices/core/LightSteps.h"
#include "devices/core/UserLightPlayer.h"
#include "hid/HidInterfaceId.h"
#include "profiles/ProfileRecords.h"
#include "protocol/DeviceProtocol.h"
#include "protocol/ResultCodes.h"

namespace devices {

// The pages SetFunctionMode shows; -1 leaves a switch as it is.
struct FunctionPages {
    int functionPage = -1;     // "device_function_switch"
    int keyFunctionPage = -1;  // "device_key_function_switch"
};
FunctionPages FunctionPagesForMode(int mode, int deviceKind);

// The Qt-free core of every device page: the two protocol objects, the device information,
// light settings and preview state, and the operations the main window and the device list
// entry call. Operations run on the UI thread; the preview and listener threads of the kinds
// only step light frames and read events. Results are the protocol's integer codes.
class CUsbDeviceCore {
public:
    // backend null: the process's HID backend.
    CUsbDeviceCore(int deviceKind, std::shared_ptr<hid::IHidBackend> backend = {});
    virtual ~CUsbDeviceCore();
    CUsbDeviceCore(const CUsbDeviceCore&) = delete;
    CUsbDeviceCore& operator=(const CUsbDeviceCore&) = delete;

    // The page; null for none. Must outlive the core's threads (StopThreads first).
    void SetListener(IDeviceCoreListener* listener);

    // Set by the main window when it creates the device, in this order.
    void SetKeyCount(int n);
    int GetKeyCount() const { return keyCount_; }
    // Resizes the LED and light lists and zeroes them; wakes the preview thread.
    void SetLedCount(int n);
    int GetLedCount() const;
    void SetStatusPolling(int value) { statusPolling_ = value; }
    int GetStatusPolling() const { return statusPolling_; }
    void SetProfileId(std::string id) { profileId_ = std::move(id); }
    const std::string& GetProfileId() const { return profileId_; }
    void SetFolderName(std::string name) { folderName_ = std::move(name); }
    const std::string& GetFolderName() const { return folderName_; }
    void SetSlotRecord(const hid::HidInterfaceId& record);
    const hid::HidInterfaceId& GetSlotRecord() const { return slotRecord_; }
    virtual void SetDeviceNumber(int n) { deviceNumber_ = n; }
    int GetDeviceNumber() const { return deviceNumber_; }
    void SetLightFileName(std::string name) { lightFileName_ = std::move(name); }
    const std::string& GetLightFileName() const { return lightFileName_; }
    int GetDeviceKind() const { return deviceKind_; }
    int GetInterfaceRole() const { return interfaceRole_; }

    // Command interface (discovery): open sets `opened` (and receiver mode for a kind-6 slot);
    // close clears it and abandons a waiting transaction.
    bool OpenCommandInterface(const std::string& path, bool receiverMode);
    void CloseCommandInterface();
    bool IsCommandOpen() const { return commandProtocol.opened.load(); }
    // Counts the command interface's openings: what was learnt about the device's memory over
    // one connection says nothing about the device behind the next one.
    std::uint32_t CommandConnection() const { return commandConnection_; }
    // Event interface: open starts the kind's listener (also when the open failed), close stops
    // it first. The base has no listener.
    virtual bool OpenEventInterface(const std::string& path);
    virtual void CloseEventInterface();
    bool ReopenEventInterface(const std::string& path);
    bool IsEventOpen() const { return eventProtocol.opened.load(); }

    // Ends the preview and listener threads; the destructor of each kind calls it.
    virtual void StopThreads();

    // Operations of the device list entry and the main window.
    virtual int ApplyProfileState() { return 0; }
    virtual void OpenDevice() {}
    virtual void RefreshFromDevice() {}
    virtual void RefreshStatus() {}
    virtual int LoadProfileState() { return 0; }
    virtual void RefreshControls() {}
    virtual void ValidateMacroKeys() {}
    virtual void LoadDefaultProfileState() {}
    virtual int WriteKeyTable(int /*profile*/, const std::vector<KeyListEntry>& /*keys*/) {
        return 0;
    }
    virtual int WriteKeys(int /*profile*/) { return 0; }
    virtual int DownloadMacros() { return 0; }
    virtual int WriteSettings(int /*profile*/, std::uint8_t /*byte0*/, int /*flag*/,
                              int /*screenWidth*/, int /*screenHeight*/) {
        return 0;
    }
    virtual int SendKeyColours() { return 0; }
    virtual void ReloadNameLists() {}
    virtual void SetProfileFiles() {}
    virtual std::string GetProfileFile() const { return {}; }
    virtual void SaveProfile() {}

    // The seven light steps (one frame into the LED list).
    virtual void StepBreatheWheel();
    virtual void StepBreatheFour();
    virtual void StepStatic();
    virtual void StepWheel();
    virtual void StepBlinkWheel();
    virtual void StepBlinkFour();
    virtual void StepOff();
    // Hands the LED list to the page and streams it to the device (command 18) unless live
    // light is off, there are no LEDs, the preview is paused or the device is reached through a
    // receiver. After a failed stream nothing is sent for 200 ms.
    virtual void ShowLightFrame();
    void SetLedColour(int index, std::uint32_t value);
    std::uint32_t GetLedColour(int index) const;
    std::vector<LedColour> CopyLedList() const;

    // Ripple operations on the animation state.
    void DecayLevel(std::size_t group, bool fast);
    virtual void RefillLevels();
    void ShiftRing(bool towardHigher);
    void ClearLevels();
    const lightsteps::LightAnimation& Animation() const { return animation_; }

    // Sends the enter-live-light command for a keyboard when switched on.
    void SetLiveLight(bool on);
    bool GetLiveLight() const { return liveLight_.load(); }
    void SetWindowActive(bool on) { windowActive_ = on; }
    bool GetWindowActive() const { return windowActive_.load(); }
    FunctionPages SetFunctionMode(int mode);
    int GetFunctionMode() const { return functionMode_; }
    virtual void SetLightSettings(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    LightInfoRecord GetLightSettings() const;
    virtual void SelectKey(int index) { selectedKey_ = index; }
    int GetSelectedKey() const { return selectedKey_; }

    // Folders: "DefaultData/" beside the program, its "<folder>.Json", the user's device folder.
    std::string GetDefaultDataFolder() const;
    std::string GetDefaultProfilePath() const;
    std::string GetUserDataFolder() const;

    // Monotonic milliseconds; tests replace the clock.
    std::uint64_t NowMs() const;
    void SetClockForTesting(std::function<std::uint64_t()> clock);

    protocol::CDeviceProtocol commandProtocol;
    protocol::CDeviceProtocol eventProtocol;
    std::array<std::uint8_t, protocol::kDeviceInfoSize> deviceInfo{};

    // lightLock guards lightList (and the area light state), lightStepLock the user light steps.
    std::recursive_mutex lightLock;
    std::recursive_mutex lightStepLock;

protected:
    void SetLightSettingsRecord(const LightInfoRecord& record);
    IDeviceCoreListener* Listener() const { return listener_; }
    // Called with the LED list lock held.
    template <typename F>
    void WithLeds(F&& f) {
        std::lock_guard lock(ledLock_);
        f(std::span<LedColour>(ledList_));
    }
    // f(animation, leds) with the LED list lock held.
    template <typename F>
    void WithAnimation(F&& f) {
        std::lock_guard lock(ledLock_);
        f(animation_, std::span<LedColour>(ledList_));
    }
    // The preview starts its phase again (another effect was chosen).
    void ResetAnimationPhase();
    std::size_t LedListSize() const;
    // The LED count or the light settings changed: a waiting preview thread looks again.
    virtual void OnLedCountChanged() {}

    std::vector<LightListEntry> lightList_;
    UserLightSteps lightSteps_;
    CUserLightPlayer userLightPlayer_;
    int deviceKind_ = 0;

private:
    IDeviceCoreListener* listener_ = nullptr;
    int interfaceRole_ = 0;
    int keyCount_ = 0;
    int selectedKey_ = -1;
    int functionMode_ = 1;
    int statusPolling_ = 0;
    int deviceNumber_ = 0;
    std::uint32_t commandConnection_ = 0;
    std::string profileId_;
    std::string folderName_;
    std::string lightFileName_ = "tamric_light";
    hid::HidInterfaceId slotRecord_;

    mutable std::mutex ledLock_;
    std::vector<LedColour> ledList_;
    std::vector<std::uint8_t> streamBuffer_;
    std::vector<LedColour> frameCopy_;  // what the page is shown, outside the LED lock
    mutable std::mutex settingsLock_;
    LightInfoRecord lightSettings_;
    lightsteps::LightAnimation animation_;
    std::atomic<bool> liveLight_{true};
    std::atomic<bool> windowActive_{true};
    std::uint64_t streamBlockedUntilMs_ = 0;
    std::function<std::uint64_t()> clock_;
};

}  // namespace devices
