#include "devices/core/MouseDeviceCore.h"

#include <algorithm>
#include <chrono>

#include "base/AtomicFile.h"
#include "base/Trace.h"
#include "devices/core/LightTables.h"
#include "devices/core/MouseDpiRules.h"
#include "devices/core/MouseSettingsBlock.h"
#include "keys/KeyCodeName.h"
#include "lighting/LightModel.h"
#include "macros/EventImage.h"
#include "macros/MacroFiles.h"
#include "macros/MacroKeyBindings.h"
#include "profiles/DataFolders.h"
#include "profiles/JsonAccess.h"
#include "recoil/ShootDataFiles.h"

namespace devices {
namespace {

using protocol::kOk;
using Clock = std::chrono::steady_clock;

constexpr auto kTick = std::chrono::milliseconds(2);
constexpr auto kClosedRetry = std::chrono::milliseconds(100);
constexpr auto kPausedRetry = std::chrono::milliseconds(20);
constexpr auto kBrokenReadRetry = std::chrono::milliseconds(100);
constexpr int kMouseDeviceNumber = static_cast<int>(lighting::DeviceNumber::Mouse);

SystemStageWords ToWords(const MouseSystemSettings& s) {
    return {PackHalves(s.doubleClickTime, s.mouseSpeed),
            PackHalves(s.pointerPrecision, s.scorllPage),
            PackHalves(s.wheelScorlllinse, s.reportRate)};
}

MouseSystemSettings FromWords(const SystemStageWords& w) {
    MouseSystemSettings s;
    s.doubleClickTime = LowHalf(w[0]);
    s.mouseSpeed = HighHalf(w[0]);
    s.pointerPrecision = LowHalf(w[1]);
    s.scorllPage = HighHalf(w[1]);
    s.wheelScorlllinse = LowHalf(w[2]);
    s.reportRate = HighHalf(w[2]);
    return s;
}

std::uint16_t ToU16(int v) {
    return static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF));
}

}  // namespace

CMouseDeviceCore::CMouseDeviceCore(std::shared_ptr<hid::IHidBackend> backend)
    : CUsbDeviceCore(hid::kKindMouse, std::move(backend)) {
    buttonMap_.fill(kButtonNotPresent);
    SetFolderName(std::string(datafolders::kMouseFolderName));
    CUsbDeviceCore::SetDeviceNumber(kMouseDeviceNumber);
    profile_.SetUserLightSource(kMouseDeviceNumber,
                                lighting::FirstUserLightNumber(lighting::DeviceNumber::Mouse));
}

CMouseDeviceCore::~CMouseDeviceCore() {
    StopThreads();
}

void CMouseDeviceCore::StopThreads() {
    preview_.Stop();
    listener_.Stop([this] { eventProtocol.hid.Close(); });
}

void CMouseDeviceCore::SetScreenSize(int width, int height) {
    screenWidth_ = width;
    screenHeight_ = height;
}

void CMouseDeviceCore::SetDeviceNumber(int n) {
    CUsbDeviceCore::SetDeviceNumber(n);
    profile_.SetDeviceIndex(0);
    if (n >= 0 && n < lighting::kDeviceNumberCount) {
        const auto device = static_cast<lighting::DeviceNumber>(n);
        profile_.SetUserLightSource(n, lighting::FirstUserLightNumber(device));
    }
}

void CMouseDeviceCore::SetLightSettings(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    CUsbDeviceCore::SetLightSettings(a, b, c);
    profile_.SetLightInfo(a, b, c);
}

bool CMouseDeviceCore::LinkReady() {
    if (!commandProtocol.opened) {
        return false;
    }
    return !commandProtocol.receiverMode || commandProtocol.CmdCheckReceiverLink();
}

// ---- profile state ----

void CMouseDeviceCore::SetProfileFiles() {
    const std::string folder = DataFolder();
    const std::string& id = GetProfileId();
    // The id names a file in the data folder; anything else keeps the previous path.
    if (!id.empty() && files::IsSafeFileName(id + ".Json")) {
        profilePath_ = folder + id + ".Json";
        profile_.SetProfilePath(profilePath_);
    }
    profile_.SetDefaultProfilePath(GetDefaultProfilePath());
    profile_.SetLightConfigPath(folder + GetLightFileName() + ".config");
}

std::string CMouseDeviceCore::GetProfileFile() const {
    return profile_.GetProfilePath();
}

void CMouseDeviceCore::SaveProfile() {
    if (!profile_.GetProfilePath().empty() && !profile_.Save()) {
        trace::Line("MOUSE PROFILE SAVE ERROR");
    }
}

int CMouseDeviceCore::ApplyProfileState() {
    const LightInfoRecord light = profile_.GetLightInfo();
    SetLightSettingsRecord(light);
    const bool effectChanged = !effectKnown_ || state_.lightEffect != light.selectItem;
    effectKnown_ = true;
    state_.lightEffect = light.selectItem;
    state_.brightness = light.light;
    state_.speedIndex = light.speed;
    state_.multiColor = light.multiColor;
    state_.red = light.red;
    state_.green = light.green;
    state_.blue = light.blue;
    if (effectChanged) {
        ClearLevels();
        ResetAnimationPhase();
    }
    {
        std::lock_guard lock(lightLock);
        lightList_ = profile_.GetLightList();
        RunAreaLightInit();
    }
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
    {
        std::lock_guard lock(lightStepLock);
        lightSteps_.steps = profile_.GetCustomLightEffect();
        lightSteps_.count = lightSteps_.steps.size();
        lightSteps_.index = 0;
    }
    return 1;
}

void CMouseDeviceCore::RunAreaLightInit() {
    std::lock_guard lock(lightLock);
    const std::uint64_t now = NowMs();
    WithLeds([&](std::span<LedColour> leds) {
        areaLights_.Init(lightList_, leds.size());
        for (int mode : {0, 2, 3}) {
            areaLights_.RunMode(mode, lightList_, leds, now);
        }
    });
}

void CMouseDeviceCore::TakeLoadedDocument() {
    keyList_ = profile_.GetKeyList();
    ApplyProfileState();
    dpiStages_ = profile_.GetDpiStages();
    systemSettings_ = FromWords(profile_.GetSystemStages());
}

int CMouseDeviceCore::LoadProfileState() {
    SetProfileFiles();
    if (profile_.GetProfilePath().empty()) {
        return 0;
    }
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeLoadedDocument();
    return 1;
}

void CMouseDeviceCore::LoadDefaultProfileState() {
    SetProfileFiles();
    CJsonFile json;
    const Json::Value defaults = json.readjsonValue(GetDefaultProfilePath());
    const Json::Value* document =
        jsonaccess::Element(jsonaccess::ArrayMember(&defaults, "Device"),
                            static_cast<Json::ArrayIndex>(profile_.GetDeviceIndex()));
    // Without a usable default document the current one stays.
    if (document == nullptr || !document->isObject()) {
        return;
    }
    profile_.SetDocument(*document);
    TakeLoadedDocument();
    SaveProfile();
    RefreshControls();
}

void CMouseDeviceCore::ReloadNameLists() {
    const std::string folder = DataFolder();
    macroNames_ = macros::ReadMacroNames(folder, macros::kMacroListFileName);
    lighting::ReloadNameLists(lightNames_, GetDefaultDataFolder(), folder,
                              lighting::DeviceNumber::Mouse);
}

void CMouseDeviceCore::RefreshControls() {
    ReloadNameLists();
    if (IDeviceCoreListener* l = Listener()) {
        l->OnRefreshControls();
    }
}

void CMouseDeviceCore::ValidateMacroKeys() {
    ReloadNameLists();
    // The macro number is the second code byte; the third is the run mode or repeat count.
    if (macros::ResetKeysWithMissingMacros(keyList_, macroNames_.size())) {
        profile_.SetKeyList(keyList_);
        if (IDeviceCoreListener* l = Listener()) {
            l->OnKeyInfoChanged();
        }
    }
}

bool CMouseDeviceCore::SetKeyAssignment(int index, const KeyCode& code) {
    if (index < 0 || static_cast<std::size_t>(index) >= keyList_.size()) {
        return false;
    }
    keyList_[static_cast<std::size_t>(index)].assignment = code;
    profile_.SetKeyList(keyList_);
    if (IDeviceCoreListener* l = Listener()) {
        l->OnKeyInfoChanged();
    }
    return true;
}

std::vector<KeyInfoRow> CMouseDeviceCore::BuildKeyInfoList(
    const std::function<std::string(std::string_view)>& text) const {
    std::vector<KeyInfoRow> rows;
    for (std::size_t i = 0; i < keyList_.size() && i < kMouseButtonNameIds.size(); ++i) {
        const KeyCode& a = keyList_[i].assignment;
        const keys::KeyName name = keys::KeyCodeName(keys::KeyCode{a[0], a[1], a[2]}, macroNames_);
        std::string functionName = keys::KeyNameText(name, text);
        if (functionName.empty()) {
            continue;
        }
        rows.push_back(
            {static_cast<int>(i), text(kMouseButtonNameIds[i]), std::move(functionName)});
    }
    return rows;
}

// ---- device operations ----

void CMouseDeviceCore::OpenDevice() {
    ReadKeyTable();
    LoadProfileState();
    ReadSettings();
    RefreshControls();
    StartPreview();
}

void CMouseDeviceCore::RefreshFromDevice() {
    ReadSettings();
    RefreshControls();
}

void CMouseDeviceCore::ReadKeyTable() {
    if (!LinkReady() || commandProtocol.CmdBeginSession() != kOk) {
        return;
    }
    std::array<std::uint8_t, protocol::kDeviceInfoSize> info{};
    if (commandProtocol.CmdReadDeviceInfo(info.data()) != kOk) {
        return;
    }
    deviceInfo = info;
    const std::size_t slots = info[5];
    if (!commandProtocol.SetKeyTableSize(static_cast<std::uint16_t>(slots * 3))) {
        return;
    }
    std::array<std::uint8_t, 512> table{};
    if (commandProtocol.CmdReadKeyTable(table.data()) != kOk) {
        return;
    }
    keyTable_ = table;
    keyTableSlots_ = static_cast<int>(slots);
    commandProtocol.CmdEndSession();
    buttonMap_ = BuildButtonMap(std::span<const std::uint8_t>(keyTable_.data(), slots * 3), slots);
    if (IDeviceCoreListener* l = Listener()) {
        l->OnDeviceInfoRead();
    }
}

int CMouseDeviceCore::ReadSettings(int* profileOut) {
    commandProtocol.previewPaused = false;
    previousState_ = state_;
    if (!LinkReady()) {
        return 0;
    }
    std::uint8_t current = 0;
    std::array<std::uint8_t, kMouseSettingsSize> block{};
    if (commandProtocol.CmdReadSettings(&current, 1, 0) != kOk ||
        commandProtocol.CmdReadSettings(block.data(), block.size(),
                                        static_cast<std::uint32_t>(current) * kMouseSettingsSlot) !=
            kOk) {
        return 0;
    }
    block[0] = current;
    MouseDeviceState read = ParseMouseSettingsBlock(block.data(), current);
    // The speed byte is read back the way WriteSettings wrote it: as it is over a cable,
    // as 5 - speed through the receiver.
    if (!commandProtocol.receiverMode) {
        read.speedIndex = block[3];
    }
    state_ = read;
    effectKnown_ = true;

    LightInfoRecord light = GetLightSettings();
    light.selectItem = read.lightEffect;
    light.light = read.brightness;
    light.speed = read.speedIndex;
    light.multiColor = read.multiColor;
    light.red = read.red;
    light.green = read.green;
    light.blue = read.blue;
    if (light.selectItem != previousState_.lightEffect) {
        ClearLevels();
        ResetAnimationPhase();
    }
    SetLightSettingsRecord(light);
    profile_.SetActiveDpiStage(read.activeStage);
    profile_.SetLightInfo(light);
    systemSettings_.reportRate = read.reportRate;
    profile_.SetSystemStages(ToWords(systemSettings_));
    SaveProfile();
    if (profileOut != nullptr) {
        *profileOut = current;
    }
    return 1;
}

int CMouseDeviceCore::WriteSettings(int profile, std::uint8_t byte0, int /*flag*/, int screenWidth,
                                    int screenHeight) {
    if (!commandProtocol.opened || profile < 0 || profile > 255) {
        return 0;
    }
    MouseSettingsInput in;
    in.byte0 = byte0;
    in.stages = profile_.GetDpiStages();
    const MouseSystemSettings system = FromWords(profile_.GetSystemStages());
    in.reportRate = static_cast<std::uint8_t>(system.reportRate);
    in.scorllPage = system.scorllPage;
    in.activeStage = static_cast<std::uint8_t>(profile_.GetActiveDpiStage());
    in.light = profile_.GetLightInfo();
    in.screenWidth = screenWidth;
    in.screenHeight = screenHeight;
    in.receiverMode = commandProtocol.receiverMode;
    const auto block = BuildMouseSettingsBlock(in);
    if (!LinkReady() || commandProtocol.CmdBeginSession() != kOk) {
        return 0;
    }
    if (!LinkReady() || commandProtocol.CmdWriteSettings(
                            block.data(), block.size(),
                            static_cast<std::uint32_t>(profile) * kMouseSettingsSlot) != kOk) {
        return 0;
    }
    if (!LinkReady() || commandProtocol.CmdEndSession() != kOk) {
        return 0;
    }
    return 1;
}

int CMouseDeviceCore::WriteKeyTable(int profile, const std::vector<KeyListEntry>& keys) {
    // Without the table read from this device the unmapped slots would be overwritten blindly.
    if (!HasKeyTable() || !LinkReady()) {
        return 0;
    }
    std::array<std::uint8_t, protocol::kDeviceInfoSize> info{};
    if (commandProtocol.CmdReadDeviceInfo(info.data()) != kOk) {
        return 0;
    }
    deviceInfo = info;
    const std::size_t slots = info[5];
    if (static_cast<int>(slots) != keyTableSlots_ || slots * 3 > protocol::kMaxKeyTableSize) {
        return 0;
    }
    std::array<std::uint8_t, 512> work{};
    std::copy_n(keyTable_.begin(), slots * 3, work.begin());
    ApplyKeysToTable(std::span<std::uint8_t>(work.data(), slots * 3), buttonMap_, keys);
    if (!LinkReady() || commandProtocol.CmdBeginSession() != kOk) {
        return 0;
    }
    if (!LinkReady() || !commandProtocol.SetKeyTableSize(static_cast<std::uint16_t>(slots * 3)) ||
        commandProtocol.CmdWriteKeyTable(work.data(), static_cast<std::uint32_t>(profile)) != kOk) {
        return 0;
    }
    if (!LinkReady() || commandProtocol.CmdEndSession() != kOk) {
        return 0;
    }
    return 1;
}

int CMouseDeviceCore::WriteKeys(int profile) {
    const std::vector<KeyListEntry> keys = keyList_;
    return WriteKeyTable(profile, keys);
}

int CMouseDeviceCore::DownloadMacros() {
    if (!LinkReady()) {
        return kMacrosFailed;
    }
    std::array<std::uint8_t, protocol::kDeviceInfoSize> info{};
    if (commandProtocol.CmdReadDeviceInfo(info.data()) != kOk) {
        return kMacrosFailed;
    }
    deviceInfo = info;
    const auto records = macros::LoadMacroRecords(DataFolder());
    if (records.empty()) {
        return kMacrosSent;
    }
    const std::size_t length = macros::EventImageLength(records);
    const std::size_t capacity = static_cast<std::size_t>(info[6]) * 128;
    if (length > capacity) {
        return static_cast<int>((length - capacity) / 4 + 1);
    }
    std::vector<std::uint8_t> image = macros::BuildEventImage(records);
    if (image.empty()) {
        return kMacrosFailed;
    }
    // A transfer that stops half-way leaves the device's macro area unknown.
    sentMacroImage_.reset();
    if (!LinkReady() || commandProtocol.CmdBeginSession() != kOk) {
        return kMacrosFailed;
    }
    if (!LinkReady() || commandProtocol.CmdWriteMacros(image.data(), image.size()) != kOk) {
        return kMacrosFailed;
    }
    if (!LinkReady() || commandProtocol.CmdEndSession() != kOk) {
        return kMacrosFailed;
    }
    sentMacroImage_ = std::move(image);
    sentMacroImageConnection_ = CommandConnection();
    return kMacrosSent;
}

bool CMouseDeviceCore::MacroImageIsCurrent() const {
    const auto records = macros::LoadMacroRecords(DataFolder());
    if (records.empty()) {
        return true;
    }
    return sentMacroImage_.has_value() && sentMacroImageConnection_ == CommandConnection() &&
           *sentMacroImage_ == macros::BuildEventImage(records);
}

bool CMouseDeviceCore::DownloadShootData() {
    if (!LinkReady()) {
        return false;
    }
    std::array<std::uint8_t, protocol::kDeviceInfoSize> info{};
    if (commandProtocol.CmdReadDeviceInfo(info.data()) != kOk) {
        return false;
    }
    deviceInfo = info;
    recoil::CShootData shoot;
    shoot.SetFolders(DataFolder(), GetDefaultDataFolder());
    const std::vector<std::uint8_t> image = shoot.BuildShootImage();
    if (image.empty()) {
        return false;
    }
    if (!LinkReady() || commandProtocol.CmdBeginSession() != kOk) {
        return false;
    }
    if (!LinkReady() || commandProtocol.CmdWriteShootData(image.data(), image.size()) != kOk) {
        return false;
    }
    return LinkReady() && commandProtocol.CmdEndSession() == kOk;
}

void CMouseDeviceCore::RefreshStatus() {
    if (!commandProtocol.opened) {
        return;
    }
    std::array<std::uint8_t, 6> status{};
    if (commandProtocol.CmdReadStatus(status.data(), status.size(), 0) != kOk) {
        return;
    }
    status[3] = commandProtocol.receiverMode ? 1 : 0;
    if (IDeviceCoreListener* l = Listener()) {
        l->OnStatusRead(status);
        l->OnDeviceMessage(0xD01, status[4]);
    }
}

// ---- DPI, report rate, system settings ----

DpiLimits CMouseDeviceCore::GetDpiLimits() const {
    DpiLimits limits;
    limits.step = std::max<int>(deviceInfo[11], 1);
    limits.sliderMax = deviceInfo[12] | (deviceInfo[13] << 8);
    limits.editMax = limits.sliderMax * limits.step;
    return limits;
}

std::array<DpiStageView, kMouseDpiStageCount> CMouseDeviceCore::GetDpiStageViews() const {
    return DpiStageViews(dpiStages_, state_.activeStage, GetDpiLimits().step);
}

int CMouseDeviceCore::AfterDpiChange() {
    profile_.SetDpiStages(dpiStages_);
    SaveProfile();
    return WriteSettings(0, 0, 1, screenWidth_, screenHeight_);
}

int CMouseDeviceCore::SetStageDpi(int stage, int sliderValue) {
    if (stage < 0 || stage >= kMouseDpiStageCount) {
        return 0;
    }
    const DpiLimits limits = GetDpiLimits();
    if (limits.sliderMax > 0) {
        sliderValue = std::min(sliderValue, limits.sliderMax);
    }
    if (dpiStages_.size() < static_cast<std::size_t>(stage) + 1) {
        dpiStages_.resize(static_cast<std::size_t>(stage) + 1);
    }
    dpiStages_[static_cast<std::size_t>(stage)].dpiX = ToU16(sliderValue);
    return AfterDpiChange();
}

int CMouseDeviceCore::SetStageDpiFromText(int stage, std::string_view editText) {
    return SetStageDpi(stage, DpiSliderFromEditText(editText, GetDpiLimits().step));
}

int CMouseDeviceCore::SetStageEnabled(int stage, bool on) {
    if (stage < 0 || stage >= kMouseDpiStageCount ||
        (!on && IsLastEnabledStage(dpiStages_, stage))) {
        return 0;
    }
    if (dpiStages_.size() < static_cast<std::size_t>(stage) + 1) {
        dpiStages_.resize(static_cast<std::size_t>(stage) + 1);
    }
    dpiStages_[static_cast<std::size_t>(stage)].enabled = on ? 1 : 0;
    return AfterDpiChange();
}

int CMouseDeviceCore::SetReportRate(int index) {
    systemSettings_.reportRate = static_cast<std::uint16_t>(ReportRateOptionIndex(index));
    StoreSystemSettings();
    return WriteSettings(0, 0, 1, screenWidth_, screenHeight_);
}

int CMouseDeviceCore::GetReportRateOption() const {
    return ReportRateOptionIndex(systemSettings_.reportRate);
}

void CMouseDeviceCore::StoreSystemSettings() {
    profile_.SetSystemStages(ToWords(systemSettings_));
    SaveProfile();
}

void CMouseDeviceCore::SetPointerSpeed(int value) {
    systemSettings_.mouseSpeed = ToU16(value);
    StoreSystemSettings();
}

void CMouseDeviceCore::SetPointerPrecision(bool on) {
    systemSettings_.pointerPrecision = on ? 1 : 0;
    StoreSystemSettings();
}

void CMouseDeviceCore::SetScrollSpeed(int value) {
    systemSettings_.wheelScorlllinse = ToU16(value);
    systemSettings_.scorllPage = 0;
    StoreSystemSettings();
}

void CMouseDeviceCore::SetScrollsPage(bool on, int scrollSpeed) {
    systemSettings_.scorllPage = on ? 1 : 0;
    systemSettings_.wheelScorlllinse = ToU16(scrollSpeed);
    StoreSystemSettings();
}

void CMouseDeviceCore::SetDoubleClickTime(int value) {
    systemSettings_.doubleClickTime = ToU16(value);
    StoreSystemSettings();
}

// ---- light preview ----

void CMouseDeviceCore::StepSpectrumEffect() {
    const LightInfoRecord s = GetLightSettings();
    WithAnimation([&](lightsteps::LightAnimation& a, std::span<LedColour> leds) {
        lightsteps::StepSpectrumEffect(a, s, leds);
    });
}

void CMouseDeviceCore::StepStageColourEffect() {
    const LightInfoRecord s = GetLightSettings();
    WithAnimation([&](lightsteps::LightAnimation& a, std::span<LedColour> leds) {
        lightsteps::StepStageColourEffect(a, s, leds);
    });
}

void CMouseDeviceCore::StepUserLight() {
    const LightInfoRecord s = GetLightSettings();
    const std::uint64_t now = NowMs();
    WithLeds([&](std::span<LedColour> leds) {
        userLightPlayer_.Step(lightStepLock, lightSteps_, s.speed, leds, now);
    });
}

void CMouseDeviceCore::RunPreviewStep(std::uint8_t effect) {
    switch (effect) {
        case 0:
            StepSpectrumEffect();
            break;
        case 1:
            StepWheel();
            break;
        case 2:
            StepBreatheWheel();
            break;
        case 3:
            StepStatic();
            break;
        case 4:
            StepBlinkWheel();
            break;
        case 5:
            StepStageColourEffect();
            break;
        case 6:
            StepBreatheFour();
            break;
        case 7:
            StepBlinkFour();
            break;
        case 8:
            StepOff();
            break;
        default:
            StepUserLight();
            break;
    }
}

void CMouseDeviceCore::StartPreview() {
    if (!preview_.Running()) {
        preview_.Start([this](std::stop_token token) { PreviewLoop(token); });
    }
}

void CMouseDeviceCore::PreviewLoop(std::stop_token token) {
    Clock::time_point lastStep = Clock::now();
    while (!token.stop_requested()) {
        const unsigned generation = preview_.WakeGeneration();
        // Nothing to animate (the mouse has no LEDs): sleep until that changes.
        if (LedListSize() == 0) {
            if (!preview_.WaitForWake(token, generation)) {
                return;
            }
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (!commandProtocol.opened) {
            if (!preview_.WaitUntil(token, now + kClosedRetry, generation)) {
                return;
            }
            continue;
        }
        if (commandProtocol.previewPaused) {
            if (!preview_.WaitUntil(token, now + kPausedRetry, generation)) {
                return;
            }
            continue;
        }
        const LightInfoRecord s = GetLightSettings();
        // User lights play on every tick; the built-in effects every interval of ticks.
        const unsigned ticks =
            s.selectItem >= 9 ? 1 : std::max(1u, lighttables::StepIntervalTicks(s.speed));
        const Clock::time_point due = lastStep + ticks * kTick;
        if (now >= due) {
            RunPreviewStep(s.selectItem);
            lastStep = now;
            continue;
        }
        if (!preview_.WaitUntil(token, due, generation)) {
            return;
        }
    }
}

// ---- event listener ----

bool CMouseDeviceCore::OpenEventInterface(const std::string& path) {
    // A running listener on the open interface keeps reading it.
    if (eventProtocol.opened && listener_.Running()) {
        return true;
    }
    // An old listener is not inside a read here: the interface is closed.
    listener_.Stop();
    const bool opened = CUsbDeviceCore::OpenEventInterface(path);
    // The thread keeps its own copy of what decoding needs: Close frees the interface's.
    EventDecoder decoder{eventProtocol.hid.PreparsedData(),
                         eventProtocol.hid.ReportCaps(hid::ReportType::Input).dataElements,
                         eventProtocol.hid.Caps().inputReportByteLength};
    listener_.Start([this, decoder = std::move(decoder)](std::stop_token token) mutable {
        ListenerLoop(token, decoder);
    });
    return opened;
}

void CMouseDeviceCore::CloseEventInterface() {
    // Close abandons the listener's read; the thread then sees the stop request.
    listener_.Stop([this] { eventProtocol.hid.Close(); });
    CUsbDeviceCore::CloseEventInterface();
}

void CMouseDeviceCore::ListenerLoop(std::stop_token token, EventDecoder& decoder) {
    std::array<std::uint8_t, 64> report{};
    const std::uint32_t length =
        std::min<std::uint32_t>(decoder.reportLength ? decoder.reportLength : 64, 64);
    while (!token.stop_requested()) {
        const unsigned generation = listener_.WakeGeneration();
        if (!eventProtocol.opened) {
            if (!listener_.WaitForWake(token, generation)) {
                return;
            }
            continue;
        }
        std::uint32_t got = 0;
        const int read = eventProtocol.hid.Read(report.data(), length, &got, hid::kInfinite);
        if (token.stop_requested()) {
            return;
        }
        if (read != 1) {
            // The interface went away under the read: try again later, never spin.
            if (!listener_.WaitUntil(token, Clock::now() + kBrokenReadRetry, generation)) {
                return;
            }
            continue;
        }
        if (decoder.elements.empty() ||
            !hid::CHidDevice::UnpackReport(decoder.elements.data(), decoder.elements.size(),
                                           report.data(), got, hid::ReportType::Input,
                                           decoder.preparsed)) {
            continue;
        }
        const hid::HidDataElement& first = decoder.elements.front();
        const std::uint16_t usage =
            first.isButton ? (first.usageList.empty() ? 0 : first.usageList[0]) : first.usage;
        if (usage == kSettingsChangedUsage) {
            if (IDeviceCoreListener* l = Listener()) {
                l->RequestEntryTimer(kListenerTimerId, kListenerTimerDelayMs);
            }
        }
    }
}

}  // namespace devices
