#pragma once

// The assembled main window over the emulated mouse on a simulated bus, waited on until the
// mouse is the current device and its settings were read. For end-to-end tests of the window.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/discovery/DeviceSwitcher.h"
#include "hid/HidBackend.h"
#include "protocol/CommandCodes.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/ui/UiTestHarness.h"

namespace testsupport {

class MainWindowTest : public UiTest {
protected:
    static constexpr int kWaitMs = 5000;

    void SetUp() override {
        UiTest::SetUp();
        rig_ = std::make_unique<sim::CSimulatedMouseRig>();
        previousBackend_ = hid::DefaultBackend();
        hid::UseBackend(rig_->bus);
        StartWindow();
    }
    // Builds and starts a main window (again: as on the next start of the program) and waits
    // until the mouse is current and its settings were read.
    void StartWindow() {
        window_.reset();
        MainWndOptions options;
        options.useSessionBus = false;
        options.useSystemBus = false;
        options.showAtStart = true;
        window_ = std::make_unique<CMainWnd>(options);
        AssembleMainWnd(*window_);
        ASSERT_TRUE(window_->Build()) << window_->LayoutError().toStdString();
        window_->Start();
        switcher_ = dynamic_cast<discovery::CDeviceSwitcher*>(window_->DeviceSwitcher());
        ASSERT_NE(switcher_, nullptr);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return switcher_->CurrentDevice() != nullptr; }, kWaitMs));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Frames(protocol::Command::ReadSettings) > 0; }, kWaitMs));
    }
    void TearDown() override {
        window_.reset();
        hid::UseBackend(previousBackend_);
        rig_.reset();
        UiTest::TearDown();
    }

    std::size_t Frames(protocol::Command command) const {
        return rig_->mouse->Firmware().ReceivedFrames(static_cast<std::uint8_t>(command)).size();
    }

    std::unique_ptr<sim::CSimulatedMouseRig> rig_;
    std::shared_ptr<hid::IHidBackend> previousBackend_;
    std::unique_ptr<CMainWnd> window_;
    discovery::CDeviceSwitcher* switcher_ = nullptr;
};

}  // namespace testsupport
