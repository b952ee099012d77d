// Discovery in the real main window: its layout's device list, page tabs and no-device page,
// its thread slots and its activation, with the emulated mouse plugged in and out.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/MainWnd.h"
#include "app/discovery/DeviceSwitcher.h"
#include "app/discovery/MainWndDeviceSwitcher.h"
#include "appearance/DeviceOptionUI.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "protocol/CommandCodes.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/TabLayout.h"

namespace {

constexpr int kWaitMs = 5000;

class MainWndDiscoveryTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        rig_ = std::make_unique<sim::CSimulatedMouseRig>();
        rig_->Unplug();
        previousBackend_ = hid::DefaultBackend();
        hid::UseBackend(rig_->bus);
        MainWndOptions options;
        options.useTray = false;
        options.useSessionBus = false;
        options.useSystemBus = false;
        window_ = std::make_unique<CMainWnd>(options);
        window_->AddControlTable(devices::page::PageControlTable());
        window_->AddLayoutElements(devices::page::PanelLayoutElements());
        window_->SetDeviceSwitcher(discovery::CreateMainWndDeviceSwitcher(*window_, rig_->bus));
        ASSERT_TRUE(window_->Build()) << window_->LayoutError().toStdString();
        switcher_ = dynamic_cast<discovery::CDeviceSwitcher*>(window_->DeviceSwitcher());
        ASSERT_NE(switcher_, nullptr);
    }
    void TearDown() override {
        window_.reset();
        hid::UseBackend(previousBackend_);
        rig_.reset();
        UiTest::TearDown();
    }

    appearance::CDeviceOptionUI* MouseEntry() const { return switcher_->Entry(0); }
    bool MouseListed() const { return MouseEntry() != nullptr && !MouseEntry()->isHidden(); }
    ui::TabLayout* Tabs(const char* name) const {
        return window_->FindControl<ui::TabLayout>(QString::fromLatin1(name));
    }
    QWidget* NoDevice() const { return window_->FindControl(QStringLiteral("No_device_Link")); }

    std::unique_ptr<sim::CSimulatedMouseRig> rig_;
    std::shared_ptr<hid::IHidBackend> previousBackend_;
    std::unique_ptr<CMainWnd> window_;
    discovery::CDeviceSwitcher* switcher_ = nullptr;
};

TEST_F(MainWndDiscoveryTest, TheWindowComesForwardForTheFirstPassAndForEveryArrival) {
    window_->Start();
    ASSERT_EQ(switcher_->DeviceCount(), 1u);
    EXPECT_EQ(MouseEntry()->parentWidget(),
              window_->FindControl(QStringLiteral("device_select_layout")));
    // Hidden until the discovery thread's first pass; then the no-device page shows.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->isVisible(); }, kWaitMs));
    EXPECT_TRUE(NoDevice()->isVisible());

    window_->hide();
    rig_->Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(MouseEntry()->IsSelected());
    EXPECT_FALSE(NoDevice()->isVisible());
    EXPECT_EQ(Tabs("device_switch")->CurrentSel(), MouseEntry()->PageIndex());
    EXPECT_EQ(Tabs("device_power_switch")->CurrentSel(), MouseEntry()->PowerPageIndex());
    EXPECT_NE(MouseEntry()->PageIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !rig_->mouse->Firmware()
                        .ReceivedFrames(protocol::CommandByte(protocol::Command::ReadSettings))
                        .empty();
        },
        kWaitMs));

    rig_->Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseListed(); }, kWaitMs));
    EXPECT_TRUE(NoDevice()->isVisible());
    EXPECT_EQ(Tabs("device_switch")->CurrentSel(), 0);
    EXPECT_EQ(Tabs("device_power_switch")->CurrentSel(), 0);
    EXPECT_EQ(window_->DeviceSwitcher()->CountVisibleEntries(), 0);
}

}  // namespace
