#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/core/AreaLightSteps.h"
#include "devices/core/MouseKeyTable.h"
#include "devices/core/MouseRecords.h"
#include "devices/core/UsbDeviceCore.h"
#include "devices/core/WorkerThread.h"
#include "lighting/LightFiles.h"
#include "profiles/MouseProfiledata.h"

namespace devices {

// The mouse's core: key table, settings block, macro and shoot images, DPI, report rate and
// system settings of the profile, the light preview thread and the event listener thread.
class CMouseDeviceCore : public CUsbDeviceCore {
public:
    // Macro download results.
    static constexpr int kMacrosSent = 0;
    static constexpr int kMacrosFailed = -1;
    static constexpr int kListenerTimerId = 1002;
    static constexpr int kListenerTimerDelayMs = 500;
    static constexpr std::uint16_t kSettingsChangedUsage = 0x0401;

    explicit CMouseDeviceCore(std::shared_ptr<hid::IHidBackend> backend = {});
    ~CMouseDeviceCore() override;

    // The primary screen's size in device pixels, given by the page at start-up.
    void SetScreenSize(int width, int height);
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }

    // Operations of the base.
    void SetDeviceNumber(int n) override;
    void SetLightSettings(std::uint32_t a, std::uint32_t b, std::uint32_t c) override;
    int ApplyProfileState() override;
    // ReadKeyTable, LoadProfileState, ReadSettings, RefreshControls, starts the preview.
    void OpenDevice() override;
    void RefreshFromDevice() override;
    void RefreshStatus() override;
    int LoadProfileState() override;
    void RefreshControls() override;
    void ValidateMacroKeys() override;
    void LoadDefaultProfileState() override;
    int WriteKeyTable(int profile, const std::vector<KeyListEntry>& keys) override;
    int WriteKeys(int profile) override;
    // 0 sent or nothing to send, -1 failed, n > 0: that many 4-byte events too many.
    int DownloadMacros() override;
    // True when the device holds the macro image the macro files give now, as far as this
    // program knows: that image was sent over the current connection (or there are no macros).
    bool MacroImageIsCurrent() const;
    int WriteSettings(int profile, std::uint8_t byte0, int flag, int screenWidth,
                      int screenHeight) override;
    void ReloadNameLists() override;
    void SetProfileFiles() override;
    std::string GetProfileFile() const override;
    void SaveProfile() override;
    bool OpenEventInterface(const std::string& path) override;
    void CloseEventInterface() override;
    void StopThreads() override;

    // Own device operations.
    void ReadKeyTable();
    // 1 with the current profile in *profile (optional), 0 on failure.
    int ReadSettings(int* profile = nullptr);
    // True when the image was written and the session ended (the panel tells the user).
    bool DownloadShootData();

    // Light steps of effects 0 and 5, and one pass of the user light player.
    void StepSpectrumEffect();
    void StepStageColourEffect();
    void StepUserLight();
    // The area light steps of modes 0, 2 and 3 with init (ApplyProfileState runs them).
    void RunAreaLightInit();

    // DPI controls. Each change is stored in the profile, saved, and written to the device
    // (WriteSettings (0, 0, 1, screen)); the result is WriteSettings' (1 or 0).
    DpiLimits GetDpiLimits() const;
    std::vector<DpiStage> GetDpiStages() const { return dpiStages_; }
    std::array<DpiStageView, kMouseDpiStageCount> GetDpiStageViews() const;
    int SetStageDpi(int stage, int sliderValue);
    int SetStageDpiFromText(int stage, std::string_view editText);
    // Refused (returns 0, nothing changes) for the last enabled stage.
    int SetStageEnabled(int stage, bool on);
    // Report rate: index outside 0..4 is taken as 0.
    int SetReportRate(int index);
    int GetReportRateOption() const;

    // System settings: stored in the profile and saved; nothing goes to the device.
    MouseSystemSettings GetSystemSettings() const { return systemSettings_; }
    void SetPointerSpeed(int value);
    void SetPointerPrecision(bool on);
    void SetScrollSpeed(int value);
    void SetScrollsPage(bool on, int scrollSpeed);
    void SetDoubleClickTime(int value);

    // The rows of "device_setkeyinfo_list": entries with a non-empty function name. text
    // resolves a language text id.
    std::vector<KeyInfoRow> BuildKeyInfoList(
        const std::function<std::string(std::string_view textId)>& text) const;

    const MouseDeviceState& GetDeviceState() const { return state_; }
    const MouseDeviceState& GetPreviousDeviceState() const { return previousState_; }
    const ButtonMap& GetButtonMap() const { return buttonMap_; }
    const std::array<std::uint8_t, 512>& GetKeyTableCopy() const { return keyTable_; }
    const std::vector<KeyListEntry>& GetKeyList() const { return keyList_; }
    // The assignment of one key (the key set panel's apply): kept in the key list and in the
    // profile document (not yet saved); the page renames its key buttons. False for an index
    // outside the list.
    bool SetKeyAssignment(int index, const KeyCode& code);
    const std::vector<std::string>& GetMacroNames() const { return macroNames_; }
    const lighting::LightNameLists& GetLightNameLists() const { return lightNames_; }
    // True once a key table was read; WriteKeyTable needs it.
    bool HasKeyTable() const { return keyTableSlots_ >= 0; }
    CMouseProfiledata& Profile() { return profile_; }
    // The device data folder (user data folder + "mouse/").
    std::string DataFolder() const { return GetUserDataFolder(); }

    // Threads, for tests and the benchmark.
    bool PreviewRunning() const { return preview_.Running(); }
    bool ListenerRunning() const { return listener_.Running(); }
    void StartPreview();

private:
    // Checks `opened`, and in receiver mode the link; false stops the operation.
    bool LinkReady();
    int AfterDpiChange();
    void PreviewLoop(std::stop_token token);
    struct EventDecoder {
        hid::TopLevelCollection preparsed;
        std::vector<hid::HidDataElement> elements;
        std::uint32_t reportLength = 0;
    };
    void ListenerLoop(std::stop_token token, EventDecoder& decoder);
    void RunPreviewStep(std::uint8_t effect);
    void OnLedCountChanged() override { preview_.Wake(); }
    void StoreSystemSettings();
    // The document's state after a load: key list, light state, DPI stages, system settings.
    void TakeLoadedDocument();

    CMouseProfiledata profile_;
    std::array<std::uint8_t, 512> keyTable_{};
    ButtonMap buttonMap_{};
    std::vector<KeyListEntry> keyList_;
    std::vector<DpiStage> dpiStages_;
    MouseSystemSettings systemSettings_;
    MouseDeviceState state_;
    MouseDeviceState previousState_;
    std::vector<std::string> macroNames_;
    lighting::LightNameLists lightNames_;
    // The macro image last written whole, and the connection it went over.
    std::optional<std::vector<std::uint8_t>> sentMacroImage_;
    std::uint32_t sentMacroImageConnection_ = 0;
    int keyTableSlots_ = -1;
    bool effectKnown_ = false;
    std::string profilePath_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    CAreaLightSteps areaLights_;
    CWorkerThread preview_;
    CWorkerThread listener_;
};

}  // namespace devices
