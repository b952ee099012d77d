#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "devices/core/DeviceCoreListener.h"
#include "devices/core/MouseDeviceCore.h"
#include "profiles/DataFolders.h"
#include "sim/MouseFirmware.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/TestDirs.h"

namespace devicetest {

// Records what a core reports; timer requests may come from the listener thread.
class RecordingListener : public devices::IDeviceCoreListener {
public:
    void OnRefreshControls() override { ++refreshes; }
    void OnDeviceInfoRead() override { ++infoReads; }
    void OnKeyInfoChanged() override { ++keyInfoChanges; }
    void OnStatusRead(const std::array<std::uint8_t, 6>& s) override { status = s; }
    void OnDeviceMessage(int message, int value) override { messages.push_back({message, value}); }
    void OnLightFrame(std::span<const devices::LedColour> leds) override {
        lastFrame.assign(leds.begin(), leds.end());
        ++frames;
    }
    void RequestEntryTimer(int timerId, int delayMs) override {
        std::lock_guard lock(mutex);
        timers.push_back({timerId, delayMs});
        changed.notify_all();
    }
    bool WaitForTimer(std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return !timers.empty(); });
    }

    int refreshes = 0;
    int infoReads = 0;
    int keyInfoChanges = 0;
    int frames = 0;
    std::array<std::uint8_t, 6> status{};
    std::vector<std::pair<int, int>> messages;
    std::vector<devices::LedColour> lastFrame;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<int, int>> timers;
};

// A mouse core opened on an emulated mouse, with fresh user folders and the repository's
// default data.
class MouseCoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::UseFreshXdgFolders("mousecore");
        datafolders::SetResourceRootForTesting(ZORVATH_SOURCE_DIR "/data/");
        Start(sim::MouseFirmwareConfig(), false);
    }
    void TearDown() override {
        core.reset();
        rig.reset();
        datafolders::SetResourceRootForTesting("");
    }

    void Start(const sim::FirmwareConfig& config, bool receiverMode) {
        core.reset();
        rig = std::make_unique<sim::CSimulatedMouseRig>(config);
        core = std::make_unique<devices::CMouseDeviceCore>(rig->bus);
        core->SetListener(&listener);
        core->SetProfileId("profile_1");
        core->SetScreenSize(2560, 1440);
        ASSERT_TRUE(core->OpenCommandInterface(rig->CommandPath(), receiverMode));
    }

    sim::CommandFirmware& Firmware() { return rig->mouse->Firmware(); }
    std::vector<std::uint8_t> Commands() {
        std::vector<std::uint8_t> out;
        for (const auto& f : Firmware().ReceivedFrames()) {
            out.push_back(f[3]);
        }
        return out;
    }
    // Opens the device the way the list entry does, then leaves the preview running.
    void OpenDevice() {
        core->OpenDevice();
        Firmware().ClearLog();
    }

    RecordingListener listener;
    std::unique_ptr<sim::CSimulatedMouseRig> rig;
    std::unique_ptr<devices::CMouseDeviceCore> core;
};

}  // namespace devicetest
