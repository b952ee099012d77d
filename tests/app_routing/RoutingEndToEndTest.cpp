// Routing end to end: the main window assembled with its real parts, the emulated mouse on a
// simulated bus, user actions on the mouse page's controls reaching the device.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QTest>
#include <memory>

#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/discovery/DeviceSwitcher.h"
#include "app/routing/MainWndRouting.h"
#include "devices/core/MouseDeviceCore.h"
#include "hid/HidBackend.h"
#include "macros/hook/CaptureHookMessage.h"
#include "protocol/CommandCodes.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/ui/MainWindowTest.h"

namespace {

class RoutingEndToEndTest : public testsupport::MainWindowTest {
protected:
    devices::CMouseDeviceCore& Mouse() const {
        return static_cast<devices::CMouseDeviceCore&>(switcher_->CurrentDevice()->Core());
    }
    routing::CMainWndRouting& Routing() const {
        return *static_cast<routing::CMainWndRouting*>(window_->Router());
    }
};

TEST_F(RoutingEndToEndTest, ClicksOnThePageReachTheMouse) {
    auto* rate = window_->FindControl<QAbstractButton>(QStringLiteral("polling_rate_option_2"));
    ASSERT_NE(rate, nullptr);
    const std::size_t writes = Frames(protocol::Command::WriteSettings);
    QTest::mouseClick(rate, Qt::LeftButton);
    EXPECT_EQ(Mouse().GetReportRateOption(), 2);
    EXPECT_GT(Frames(protocol::Command::WriteSettings), writes);

    QWidget* key = window_->FindControl(QStringLiteral("key_3"));
    ASSERT_NE(key, nullptr);
    QTest::mouseClick(key, Qt::LeftButton);
    EXPECT_EQ(Mouse().GetSelectedKey(), 3);
}

TEST_F(RoutingEndToEndTest, DefaultsAreWrittenAfterConfirmation) {
    const std::size_t keyWrites = Frames(protocol::Command::WriteKeyTable);
    Dialogs().messageAnswers = {1};
    ui::Notification n;
    n.type = QStringLiteral("click");
    n.senderName = QStringLiteral("default_btn");
    window_->Notify(n);
    ASSERT_EQ(Dialogs().asked.size(), 1u);
    EXPECT_GT(Frames(protocol::Command::WriteKeyTable), keyWrites);
}

TEST_F(RoutingEndToEndTest, KeyCaptureWithoutAKeySetPanelDoesNothingHarmful) {
    ASSERT_EQ(capture::SendCaptureHookMessage(window_.get(), 1), 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
    QApplication::sendEvent(window_.get(), &press);
    EXPECT_TRUE(Routing().Hook().IsKeyboardCaptureOn());
    EXPECT_EQ(capture::SendCaptureHookMessage(window_.get(), 0), 1);
}

}  // namespace
