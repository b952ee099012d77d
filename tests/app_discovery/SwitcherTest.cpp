// Device discovery and switching end to end: the emulated mouse on a simulated bus, the real
// discovery thread handing over to the UI thread, the real mouse page and device list entry
// under the offscreen platform.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <memory>

#include "app/discovery/DeviceSwitcher.h"
#include "app/discovery/ZelvaneDevicePages.h"
#include "app/routing/RoutingInterfaces.h"
#include "appearance/DeviceOptionUI.h"
#include "devices/core/MouseDeviceCore.h"
#include "protocol/CommandCodes.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/app_discovery/SwitcherHost.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/LanguageTexts.h"
#include "ui/OptionButton.h"

namespace {

using appearance::CDeviceOptionUI;
using discovery::CDeviceSwitcher;
using discoverytest::SwitcherHost;

constexpr int kWaitMs = 5000;

class SwitcherTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        rig_ = std::make_unique<sim::CSimulatedMouseRig>();
        rig_->Unplug();
        previousBackend_ = hid::DefaultBackend();
        hid::UseBackend(rig_->bus);
        host_ = std::make_unique<SwitcherHost>();
    }
    void TearDown() override {
        host_->StopThreads();
        if (switcher_) {
            switcher_->Shutdown();
        }
        switcher_.reset();
        host_.reset();
        hid::UseBackend(previousBackend_);
        rig_.reset();
        UiTest::TearDown();
    }

    void CreateSwitcher(
        std::vector<discovery::DevicePageClass> classes = discovery::ZelvaneDevicePageClasses()) {
        switcher_ = std::make_unique<CDeviceSwitcher>(*host_, std::move(classes), rig_->bus);
        switcher_->CreateDevicePages();
    }
    void StartAndWaitForFirstPass() {
        switcher_->StartThreads();
        ASSERT_TRUE(QTest::qWaitFor([&] { return host_->activations > 0; }, kWaitMs));
    }

    CDeviceOptionUI* MouseEntry() const { return switcher_->Entry(0); }
    devices::CMouseDeviceCore& MouseCore() const {
        return static_cast<devices::CMouseDeviceCore&>(switcher_->Device(0)->Core());
    }
    bool MouseListed() const { return MouseEntry() != nullptr && !MouseEntry()->isHidden(); }
    std::size_t FramesOf(protocol::Command command) const {
        return rig_->mouse->Firmware().ReceivedFrames(static_cast<std::uint8_t>(command)).size();
    }

    std::unique_ptr<sim::CSimulatedMouseRig> rig_;
    std::shared_ptr<hid::IHidBackend> previousBackend_;
    std::unique_ptr<SwitcherHost> host_;
    std::unique_ptr<CDeviceSwitcher> switcher_;
};

TEST_F(SwitcherTest, PagesExistOnlyForDeviceClassesThatExistAndStartHidden) {
    CreateSwitcher();
    // The mouse has its class and page; the other kinds slot in when theirs exist.
    ASSERT_EQ(switcher_->DeviceCount(), 1u);
    EXPECT_TRUE(MouseEntry()->isHidden());
    EXPECT_EQ(MouseEntry()->DeviceKind(), hid::kKindMouse);
    EXPECT_EQ(host_->Pages()->Count(), 1);
    EXPECT_EQ(host_->PowerPages()->Count(), 1);
    EXPECT_EQ(switcher_->Device(0)->Widget()->parentWidget(), host_->Pages());
    EXPECT_EQ(MouseCore().GetDeviceNumber(), 1);
    EXPECT_EQ(MouseCore().GetFolderName(), "mouse");
    EXPECT_EQ(MouseCore().GetKeyCount(), 8);
    EXPECT_EQ(MouseCore().GetLedCount(), 0);
    EXPECT_EQ(switcher_->CurrentDevice(), nullptr);

    // Without a class for a kind nothing is built, and arrivals of that kind are ignored.
    CDeviceSwitcher none(*host_, {});
    none.CreateDevicePages();
    EXPECT_EQ(none.DeviceCount(), 0u);
}

TEST_F(SwitcherTest, PluggingInWhileHiddenShowsSelectsOpensLaterAndBringsTheWindowForward) {
    CreateSwitcher();
    StartAndWaitForFirstPass();
    // The first pass found nothing: the window shows the no-device page.
    EXPECT_EQ(switcher_->CountVisibleEntries(), 0);
    host_->window.hide();
    const int activationsBefore = host_->activations;

    rig_->Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    QElapsedTimer sinceArrival;
    sinceArrival.start();
    EXPECT_TRUE(MouseEntry()->IsSelected());
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));
    EXPECT_EQ(host_->Pages()->CurrentSel(), MouseEntry()->PageIndex());
    EXPECT_TRUE(MouseCore().IsCommandOpen());
    EXPECT_GT(host_->activations, activationsBefore);
    EXPECT_TRUE(host_->window.isVisible());
    EXPECT_FALSE(host_->noDevice->isVisible());

    // OpenDevice waits for the entry's timer: nothing has been asked of the mouse yet.
    EXPECT_TRUE(MouseEntry()->IsTimerActive(CDeviceOptionUI::kTimerOpen));
    EXPECT_EQ(FramesOf(protocol::Command::ReadKeyTable), 0u);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return FramesOf(protocol::Command::ReadSettings) > 0; }, kWaitMs));
    EXPECT_GE(sinceArrival.elapsed(), 400);
    EXPECT_GT(FramesOf(protocol::Command::ReadKeyTable), 0u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseCore().IsEventOpen(); }, kWaitMs));
}

TEST_F(SwitcherTest, UnpluggingTheOnlyDeviceShowsNoDeviceAndPageZeroAndReplugKeepsTheDevice) {
    CreateSwitcher();
    rig_->Plug();
    StartAndWaitForFirstPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return FramesOf(protocol::Command::ReadSettings) > 0; }, kWaitMs));
    discovery::IDevicePage* page = switcher_->Device(0);
    ASSERT_EQ(MouseCore().SetStageDpi(2, 40), 1);
    const auto stages = MouseCore().GetDpiStages();

    rig_->Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseListed(); }, kWaitMs));
    EXPECT_TRUE(host_->noDevice->isVisible());
    EXPECT_EQ(host_->Pages()->CurrentSel(), 0);
    EXPECT_EQ(host_->PowerPages()->CurrentSel(), 0);
    EXPECT_FALSE(host_->next->isVisible());
    EXPECT_FALSE(MouseCore().IsCommandOpen());
    EXPECT_EQ(switcher_->CurrentDevice(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseCore().IsEventOpen(); }, kWaitMs));
    EXPECT_EQ(switcher_->Slots().Slot(2).connected, 0);

    // Back again: the same page and device object, with the stage it had.
    rig_->mouse->Firmware().ClearFaults();
    const std::size_t readsBefore = FramesOf(protocol::Command::ReadSettings);
    rig_->Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    EXPECT_EQ(switcher_->Device(0), page);
    EXPECT_TRUE(MouseEntry()->IsSelected());
    EXPECT_FALSE(host_->noDevice->isVisible());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return FramesOf(protocol::Command::ReadSettings) > readsBefore; }, kWaitMs));
    EXPECT_EQ(MouseCore().GetDpiStages()[2].dpiX, stages[2].dpiX);
}

TEST_F(SwitcherTest, UnpluggingInTheMiddleOfACommandNeitherHangsNorCrashes) {
    CreateSwitcher();
    rig_->Plug();
    StartAndWaitForFirstPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return FramesOf(protocol::Command::ReadSettings) > 0; }, kWaitMs));

    // The mouse takes the next request and vanishes before it answers.
    sim::Fault unplug;
    unplug.kind = sim::FaultKind::Unplug;
    rig_->mouse->Firmware().InjectFault(unplug);
    QElapsedTimer command;
    command.start();
    EXPECT_NE(MouseCore().SetStageDpi(1, 30), 1);
    EXPECT_LT(command.elapsed(), 3000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseListed(); }, kWaitMs));
    EXPECT_FALSE(MouseCore().IsCommandOpen());
    EXPECT_TRUE(host_->noDevice->isVisible());

    // Nothing is left stuck: the next plug-in is a normal arrival.
    rig_->Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    EXPECT_TRUE(MouseCore().IsCommandOpen());
}

TEST_F(SwitcherTest, ChangesWhileTheSystemSleepsWaitUntilItIsAwake) {
    CreateSwitcher();
    StartAndWaitForFirstPass();
    host_->awake = false;
    rig_->Plug();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return switcher_->Slots().Slot(2).connected != 0; }, kWaitMs));
    testsupport::RunEventLoopFor(300);
    EXPECT_FALSE(MouseListed());
    EXPECT_FALSE(MouseCore().IsCommandOpen());

    host_->awake = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseListed(); }, kWaitMs));
    EXPECT_TRUE(MouseCore().IsCommandOpen());

    // Gone while asleep: the dead interface is closed once awake, and a return opens it again.
    host_->awake = false;
    rig_->Unplug();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return switcher_->Slots().Slot(2).connected == 0; }, kWaitMs));
    EXPECT_TRUE(MouseListed());
    host_->awake = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseListed(); }, kWaitMs));
    EXPECT_FALSE(MouseCore().IsCommandOpen());
    rig_->Plug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseCore().IsCommandOpen(); }, kWaitMs));
    EXPECT_TRUE(MouseListed());
}

TEST_F(SwitcherTest, StoppingTheThreadsWhileAnArrivalWaitsForTheUiThreadDoesNotDeadlock) {
    CreateSwitcher();
    StartAndWaitForFirstPass();
    rig_->Plug();
    // The UI thread does not run the hand-over; it stops the threads instead.
    QThread::msleep(300);
    QElapsedTimer stopping;
    stopping.start();
    EXPECT_EQ(host_->StopThreads(), 0);
    EXPECT_LT(stopping.elapsed(), 1000);
}

// A second device kind beside the mouse: the keyboard row with the mouse's page standing in
// for its own, so that switching between two listed devices can be driven.
class TwoDeviceTest : public SwitcherTest {
protected:
    void SetUp() override {
        SwitcherTest::SetUp();
        std::vector<discovery::DevicePageClass> classes = discovery::ZelvaneDevicePageClasses();
        classes.push_back({hid::kKindKeyboard, &discovery::AdaptZelvanePage,
                           QStringLiteral("XML/DeviceXml/mousedevice.xml")});
        CreateSwitcher(std::move(classes));
        ASSERT_EQ(switcher_->DeviceCount(), 2u);
        host_->window.show();
    }
    devices::CUsbDeviceCore& KeyboardCore() const { return switcher_->Device(1)->Core(); }
    CDeviceOptionUI* KeyboardEntry() const { return switcher_->Entry(1); }
};

TEST_F(TwoDeviceTest, SelectionMovesBetweenListedDevicesAndFallsBackWhenTheSelectedLeaves) {
    EXPECT_EQ(KeyboardCore().GetDeviceKind(), hid::kKindKeyboard);
    switcher_->ShowDeviceEntry(0, true, true);
    switcher_->ShowDeviceEntry(1, true, false);
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));
    EXPECT_EQ(switcher_->VisibleEntries(), std::make_pair(0, 2));
    EXPECT_TRUE(host_->next->isEnabled());
    EXPECT_TRUE(host_->sameMode->isEnabled());

    // As the router hands "device_select_next" over.
    routing::RoutedEvent next;
    next.op = routing::Op::SelectNextDevice;
    switcher_->Controls()->OnControl(next);
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(1));
    EXPECT_FALSE(MouseEntry()->IsSelected());
    EXPECT_EQ(host_->Pages()->CurrentSel(), KeyboardEntry()->PageIndex());
    switcher_->SelectNextDevice();  // nothing after the last
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(1));
    switcher_->SelectPreviousDevice();
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));
    switcher_->SelectPreviousDevice();  // nothing before the first
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));

    // The user picks the keyboard's entry: its page is shown.
    QTest::mouseClick(KeyboardEntry()->SelectOption(), Qt::LeftButton);
    switcher_->OnDeviceEntrySelected();
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(1));
    EXPECT_EQ(host_->Pages()->CurrentSel(), KeyboardEntry()->PageIndex());

    // The selected device leaves: its windows close and the other one is selected.
    switcher_->HideDeviceEntry(1);
    EXPECT_EQ(host_->ownedWindowsClosed, 1);
    EXPECT_EQ(host_->recordingsStopped, 1);
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));
    EXPECT_EQ(host_->Pages()->CurrentSel(), MouseEntry()->PageIndex());
    EXPECT_FALSE(host_->noDevice->isVisible());
    EXPECT_TRUE(host_->next->isVisible());
    EXPECT_FALSE(host_->next->isEnabled());
    EXPECT_FALSE(host_->sameMode->isEnabled());

    // A device that is listed but not selected leaves quietly.
    switcher_->ShowDeviceEntry(1, true, false);
    switcher_->HideDeviceEntry(1);
    EXPECT_EQ(host_->ownedWindowsClosed, 1);
    EXPECT_EQ(switcher_->CurrentDevice(), switcher_->Device(0));
}

// Two kinds listed side by side: each entry shows its kind's name under its picture, whole.
TEST_F(TwoDeviceTest, EachListedEntryShowsItsKindsName) {
    switcher_->ShowDeviceEntry(0, true, true);
    switcher_->ShowDeviceEntry(1, true, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_->window));
    QStringList shown;
    for (CDeviceOptionUI* entry : {MouseEntry(), KeyboardEntry()}) {
        auto* name = entry->findChild<QLabel*>(QStringLiteral("device_name_label"));
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->isVisible());
        EXPECT_NE(name->text(), entry->Pictures().nameTextId);  // resolved, not the id
        EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width())
            << name->text().toStdString();
        EXPECT_FALSE(entry->accessibleName().isEmpty());
        shown << name->text();
    }
    EXPECT_EQ(shown, (QStringList{ui::Text(QStringLiteral("ms_device_short_text")),
                                  ui::Text(QStringLiteral("kb_device_short_text"))}));
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(TwoDeviceTest, SameModeGivesEveryOpenDeviceItsOwnNumberOfTheCommonEffect) {
    rig_->Plug();
    ASSERT_TRUE(MouseCore().OpenCommandInterface(rig_->CommandPath(), false));
    ASSERT_TRUE(KeyboardCore().OpenCommandInterface(rig_->CommandPath(), false));
    LightInfoRecord breathing = MouseCore().GetLightSettings();
    breathing.selectItem = 2;
    breathing.light = 4;
    breathing.red = 200;
    MouseCore().SetLightSettings(breathing.WordA(), breathing.WordB(), breathing.WordC());
    switcher_->ShowDeviceEntry(0, true, true);
    switcher_->ShowDeviceEntry(1, true, false);
    host_->sameMode->setChecked(true);

    ASSERT_TRUE(switcher_->EnterSameMode());
    EXPECT_EQ(KeyboardCore().GetLightSettings().selectItem, 5);
    EXPECT_EQ(KeyboardCore().GetLightSettings().light, 4);
    EXPECT_EQ(KeyboardCore().GetLightSettings().red, 200);
    EXPECT_EQ(MouseCore().GetLightSettings().selectItem, 2);
    EXPECT_TRUE(KeyboardCore().commandProtocol.previewPaused);
    EXPECT_TRUE(MouseCore().commandProtocol.previewPaused);
    EXPECT_TRUE(switcher_->LightSync()->Active());

    // One device left in the list: synchronisation ends on every device.
    switcher_->HideDeviceEntry(1);
    EXPECT_FALSE(KeyboardCore().commandProtocol.previewPaused);
    EXPECT_FALSE(MouseCore().commandProtocol.previewPaused);
    EXPECT_FALSE(switcher_->LightSync()->Active());
    EXPECT_FALSE(host_->sameMode->isChecked());

    // An effect that cannot be shared changes nothing.
    breathing.selectItem = 5;
    MouseCore().SetLightSettings(breathing.WordA(), breathing.WordB(), breathing.WordC());
    EXPECT_FALSE(switcher_->EnterSameMode());
}

}  // namespace
