#include "devices/core/UsbDeviceCore.h"

#include <chrono>

#include "hid/HidBackend.h"
#include "profiles/DataFolders.h"

namespace devices {
namespace {

// After a failed live colour frame the stream rests this long.
constexpr std::uint64_t kStreamBackOffMs = 200;

std::shared_ptr<hid::IHidBackend> OrDefault(std::shared_ptr<hid::IHidBackend> backend) {
    return backend ? std::move(backend) : hid::DefaultBackend();
}

}  // namespace

FunctionPages FunctionPagesForMode(int mode, int deviceKind) {
    if (mode == 4 && deviceKind != 1 && deviceKind != 2) {
        mode = 7;
    }
    switch (mode) {
        case 3:
        case 8:
            return {1, -1};
        case 4:
            return {3, -1};
        case 5:
            return {2, -1};
        case 6:
            return {0, 1};
        case 7:
            return {0, 2};
        default:
            return {0, 0};
    }
}

CUsbDeviceCore::CUsbDeviceCore(int deviceKind, std::shared_ptr<hid::IHidBackend> backend)
    : commandProtocol(OrDefault(backend)),
      eventProtocol(OrDefault(backend)),
      deviceKind_(deviceKind) {}

CUsbDeviceCore::~CUsbDeviceCore() {
    CloseCommandInterface();
    std::lock_guard lock(eventProtocol.ioLock);
    eventProtocol.hid.Close();
}

void CUsbDeviceCore::SetListener(IDeviceCoreListener* listener) {
    listener_ = listener;
}

void CUsbDeviceCore::SetKeyCount(int n) {
    if (n >= 0 && n != keyCount_) {
        keyCount_ = n;
    }
}

void CUsbDeviceCore::SetLedCount(int n) {
    if (n < 0) {
        return;
    }
    const auto count = static_cast<std::size_t>(n);
    {
        std::lock_guard lights(lightLock);
        std::lock_guard leds(ledLock_);
        ledList_.assign(count, LedColour{});
        lightList_.assign(count, LightListEntry{});
        streamBuffer_.assign(count * 3, 0);
        frameCopy_.assign(count, LedColour{});
    }
    OnLedCountChanged();
}

int CUsbDeviceCore::GetLedCount() const {
    return static_cast<int>(LedListSize());
}

std::size_t CUsbDeviceCore::LedListSize() const {
    std::lock_guard lock(ledLock_);
    return ledList_.size();
}

void CUsbDeviceCore::SetSlotRecord(const hid::HidInterfaceId& record) {
    slotRecord_ = record;
    deviceKind_ = record.deviceKind;
    interfaceRole_ = record.interfaceRole;
}

bool CUsbDeviceCore::OpenCommandInterface(const std::string& path, bool receiverMode) {
    std::lock_guard lock(commandProtocol.commandLock);
    ++commandConnection_;
    commandProtocol.receiverMode = receiverMode;
    if (!commandProtocol.hid.Open(path, true, true, true, false)) {
        commandProtocol.opened = false;
        return false;
    }
    commandProtocol.opened = true;
    return true;
}

void CUsbDeviceCore::CloseCommandInterface() {
    commandProtocol.opened = false;
    // Close first releases a transaction waiting for its reply, then its lock can be taken.
    commandProtocol.hid.Close();
}

bool CUsbDeviceCore::OpenEventInterface(const std::string& path) {
    std::lock_guard lock(eventProtocol.ioLock);
    if (eventProtocol.opened) {
        return true;
    }
    eventProtocol.opened = eventProtocol.hid.Open(path, true, false, true, false);
    return eventProtocol.opened;
}

void CUsbDeviceCore::CloseEventInterface() {
    std::lock_guard lock(eventProtocol.ioLock);
    eventProtocol.opened = false;
    eventProtocol.hid.Close();
}

bool CUsbDeviceCore::ReopenEventInterface(const std::string& path) {
    CloseEventInterface();
    return OpenEventInterface(path);
}

void CUsbDeviceCore::StopThreads() {}

void CUsbDeviceCore::StepBreatheWheel() {
    const LightInfoRecord s = GetLightSettings();
    WithLeds([&](std::span<LedColour> leds) { lightsteps::StepBreatheWheel(animation_, s, leds); });
}

void CUsbDeviceCore::StepBreatheFour() {
    const LightInfoRecord s = GetLightSettings();
    WithLeds([&](std::span<LedColour> leds) { lightsteps::StepBreatheFour(animation_, s, leds); });
}

void CUsbDeviceCore::StepStatic() {
    const LightInfoRecord s = GetLightSettings();
    WithLeds([&](std::span<LedColour> leds) { lightsteps::StepStatic(s, leds); });
}

void CUsbDeviceCore::StepWheel() {
    const LightInfoRecord s = GetLightSettings();
    WithLeds([&](std::span<LedColour> leds) { lightsteps::StepWheel(animation_, s, leds); });
}

void CUsbDeviceCore::StepBlinkWheel() {
    const LightInfoRecord s = GetLightSettings();
    const std::uint64_t now = NowMs();
    WithLeds(
        [&](std::span<LedColour> leds) { lightsteps::StepBlinkWheel(animation_, s, leds, now); });
}

void CUsbDeviceCore::StepBlinkFour() {
    const LightInfoRecord s = GetLightSettings();
    const std::uint64_t now = NowMs();
    WithLeds(
        [&](std::span<LedColour> leds) { lightsteps::StepBlinkFour(animation_, s, leds, now); });
}

void CUsbDeviceCore::StepOff() {
    WithLeds([](std::span<LedColour> leds) { lightsteps::StepOff(leds); });
}

void CUsbDeviceCore::ShowLightFrame() {
    if (!liveLight_) {
        return;
    }
    std::size_t count;
    {
        std::lock_guard lock(ledLock_);
        count = ledList_.size();
        for (std::size_t i = 0; i < count; ++i) {
            const LedColour& c = ledList_[i];
            streamBuffer_[3 * i] = static_cast<std::uint8_t>(c.red * c.alpha / 256);
            streamBuffer_[3 * i + 1] = static_cast<std::uint8_t>(c.green * c.alpha / 256);
            streamBuffer_[3 * i + 2] = static_cast<std::uint8_t>(c.blue * c.alpha / 256);
            frameCopy_[i] = c;
        }
    }
    // Outside the lock: the page may ask the core for more while it paints.
    if (listener_ != nullptr) {
        listener_->OnLightFrame(std::span<const LedColour>(frameCopy_.data(), count));
    }
    if (count == 0 || commandProtocol.receiverMode || !commandProtocol.opened ||
        commandProtocol.previewPaused) {
        return;
    }
    const std::uint64_t now = NowMs();
    if (now < streamBlockedUntilMs_) {
        return;
    }
    // The buffer is only resized by SetLedCount on this same thread.
    if (commandProtocol.CmdWriteLiveColours(streamBuffer_.data(), count * 3) != protocol::kOk) {
        streamBlockedUntilMs_ = now + kStreamBackOffMs;
    }
}

void CUsbDeviceCore::SetLedColour(int index, std::uint32_t value) {
    std::lock_guard lock(ledLock_);
    if (index >= 0 && static_cast<std::size_t>(index) < ledList_.size()) {
        ledList_[static_cast<std::size_t>(index)] = LedFromWord(value);
    }
}

std::uint32_t CUsbDeviceCore::GetLedColour(int index) const {
    std::lock_guard lock(ledLock_);
    if (index < 0 || static_cast<std::size_t>(index) >= ledList_.size()) {
        return 0;
    }
    return LedWord(ledList_[static_cast<std::size_t>(index)]);
}

std::vector<LedColour> CUsbDeviceCore::CopyLedList() const {
    std::lock_guard lock(ledLock_);
    return ledList_;
}

void CUsbDeviceCore::DecayLevel(std::size_t group, bool fast) {
    std::lock_guard lock(ledLock_);
    lightsteps::DecayLevel(animation_, group, fast);
}

void CUsbDeviceCore::RefillLevels() {
    std::lock_guard lock(ledLock_);
    lightsteps::RefillLevels(animation_);
}

void CUsbDeviceCore::ShiftRing(bool towardHigher) {
    std::lock_guard lock(ledLock_);
    lightsteps::ShiftRing(animation_, towardHigher);
}

void CUsbDeviceCore::ClearLevels() {
    std::lock_guard lock(ledLock_);
    lightsteps::ClearLevels(animation_);
}

void CUsbDeviceCore::ResetAnimationPhase() {
    std::lock_guard lock(ledLock_);
    animation_.phase = 0;
}

void CUsbDeviceCore::SetLiveLight(bool on) {
    liveLight_ = on;
    if (on && deviceKind_ == 1 && commandProtocol.opened) {
        commandProtocol.CmdEnterLiveLight();
    }
}

FunctionPages CUsbDeviceCore::SetFunctionMode(int mode) {
    functionMode_ = mode;
    return FunctionPagesForMode(mode, deviceKind_);
}

void CUsbDeviceCore::SetLightSettings(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    SetLightSettingsRecord(LightInfoRecord::FromWords(a, b, c));
}

void CUsbDeviceCore::SetLightSettingsRecord(const LightInfoRecord& record) {
    {
        std::lock_guard lock(settingsLock_);
        lightSettings_ = record;
    }
    OnLedCountChanged();
}

LightInfoRecord CUsbDeviceCore::GetLightSettings() const {
    std::lock_guard lock(settingsLock_);
    return lightSettings_;
}

std::string CUsbDeviceCore::GetDefaultDataFolder() const {
    return datafolders::GetDefaultDataFolder();
}

std::string CUsbDeviceCore::GetDefaultProfilePath() const {
    return datafolders::GetDefaultProfilePath(folderName_);
}

std::string CUsbDeviceCore::GetUserDataFolder() const {
    return datafolders::GetDeviceDataFolder(folderName_);
}

std::uint64_t CUsbDeviceCore::NowMs() const {
    if (clock_) {
        return clock_();
    }
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

void CUsbDeviceCore::SetClockForTesting(std::function<std::uint64_t()> clock) {
    clock_ = std::move(clock);
}

}  // namespace devices
