#pragma once

#include <json/json.h>

#include <memory>
#include <string>
#include <vector>

#include "appearance/DeviceOptionUI.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/ui/UiTestHarness.h"

namespace testsupport {

// The mouse page in a window, configured as the main window does it, over an emulated mouse
// whose command and event interfaces it opens itself, with a device list entry driving it.
// Notifications of the page's controls reach the page's own routing.
class MousePageTest : public UiTest {
protected:
    static constexpr char kProfileId[] = "2026_01_01_00_00_00_000";

    void SetUp() override;
    void TearDown() override;

    // Opens the interfaces, binds the entry and waits until it has opened the device.
    void OpenDevice();
    // Shows function page 4 (DPI, report rate, system) and settles the window.
    void ShowSystemPage();

    template <class T>
    T* Control(const char* name) const {
        return ui::FindControlAs<T>(page_, QString::fromLatin1(name));
    }
    template <class T>
    T* Control(const QString& name) const {
        return ui::FindControlAs<T>(page_, name);
    }

    std::string ProfilePath() const;
    Json::Value ReadProfile() const;
    void WriteProfile(const Json::Value& document) const;
    // The command bytes the emulated mouse received since the last ClearFrames.
    std::vector<std::uint8_t> ReceivedCommands() const;
    std::vector<sim::FrameBytes> ReceivedFrames(std::uint8_t command) const;
    void ClearFrames();

    std::unique_ptr<sim::CSimulatedMouseRig> rig_;
    std::unique_ptr<RecordingWindow> window_;
    CZelvaneMouseDevice* page_ = nullptr;
    appearance::CDeviceOptionUI* entry_ = nullptr;
};

}  // namespace testsupport
