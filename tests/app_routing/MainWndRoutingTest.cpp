#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/AboutWnd.h"
#include "app/MainWnd.h"
#include "app/routing/MainWndRouting.h"
#include "macros/hook/CaptureHookMessage.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using routing::Op;
using routing::Target;

class KeySetPanel : public routing::ControlHandler {
public:
    std::vector<routing::RoutedEvent> events;
    std::vector<capture::KeyRecord> keys;
    void OnControl(const routing::RoutedEvent& e) override {
        events.push_back(e);
        if (e.key != nullptr) {
            keys.push_back(*e.key);
        }
    }
};

class MouseDevice : public routing::RoutedDevice {
public:
    int DeviceKind() const override { return 2; }
    int LedCount() const override { return 0; }
    routing::ControlHandler* Handler(Target target) override {
        return target == Target::KeySetPanel ? &keySet : nullptr;
    }
    KeySetPanel keySet;
};

class MainWndRoutingTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        MainWndOptions options;
        options.useSessionBus = false;
        options.useSystemBus = false;
        options.trayWithoutStatusArea = true;
        window_ = std::make_unique<CMainWnd>(options);
        ASSERT_TRUE(window_->Build());
        routing_ = routing::AttachRouting(*window_);
        routing_->SetDeviceSource([this] { return current_; });
    }

    void Notify(const char* type, const QString& name, QWidget* sender = nullptr) {
        ui::Notification n;
        n.type = QString::fromLatin1(type);
        n.senderName = name;
        n.sender = sender;
        window_->Notify(n);
    }

    std::unique_ptr<CMainWnd> window_;
    routing::CMainWndRouting* routing_ = nullptr;
    MouseDevice mouse_;
    routing::RoutedDevice* current_ = nullptr;
};

TEST_F(MainWndRoutingTest, TheWindowsMessageInstallsAndRemovesKeyCapture) {
    EXPECT_EQ(window_->Router(), routing_);
    current_ = &mouse_;
    ASSERT_EQ(capture::SendCaptureHookMessage(window_.get(), 1), 1);
    EXPECT_TRUE(routing_->Hook().IsKeyboardCaptureOn());
    EXPECT_EQ(routing_->Hook().ModeFlags(), capture::mode::kSingleKey);

    // A key typed anywhere in the window reaches the current device's key set panel.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, 68, 0, 0);
    QApplication::sendEvent(window_.get(), &press);
    ASSERT_EQ(mouse_.keySet.keys.size(), 1u);
    EXPECT_EQ(mouse_.keySet.events[0].op, Op::CapturedKey);
    EXPECT_EQ(mouse_.keySet.keys[0].key.code, 0x3C);

    // Leaving the key edit removes the hook, as the message with wParam 0 does.
    Notify("killfocus", QStringLiteral("keyset_keyboard_text_edit"));
    EXPECT_FALSE(routing_->Hook().IsKeyboardCaptureOn());
    EXPECT_EQ(capture::SendCaptureHookMessage(window_.get(), 0), 0) << "already removed";

    // A recording installs with its insertion mode.
    ASSERT_EQ(capture::SendCaptureHookInstall(window_.get(), capture::mode::kBefore), 1);
    EXPECT_EQ(routing_->Hook().ModeFlags(), capture::mode::kBefore);
    EXPECT_EQ(capture::SendCaptureHookMessage(window_.get(), 0), 1);
    EXPECT_EQ(capture::SendCaptureHookMessage(nullptr, 1), 0);
}

TEST_F(MainWndRoutingTest, TheLightControlButtonTogglesAndAnnouncesTheOwner) {
    QWidget* status = window_->FindControl(QStringLiteral("control_light_status"));
    ASSERT_NE(status, nullptr);
    QSignalSpy owner(window_.get(), &CMainWnd::LightOwnerChanged);
    ASSERT_EQ(window_->LightControlState(), 1);
    Notify("click", QStringLiteral("control_light_status"), status);
    EXPECT_EQ(window_->LightControlState(), 0);
    Notify("click", QStringLiteral("control_light_status"), status);
    EXPECT_EQ(window_->LightControlState(), 1);
    ASSERT_EQ(owner.count(), 2);
    EXPECT_EQ(owner[0], (QList<QVariant>{1, 0}));
    EXPECT_EQ(owner[1], (QList<QVariant>{1, 1}));
    // A control of the same name elsewhere is not the window's button.
    QWidget stranger;
    Notify("click", QStringLiteral("control_light_status"), &stranger);
    EXPECT_EQ(window_->LightControlState(), 1);
}

// The tray menu's "about_menu" opens the about window through the window's routing; however it
// was closed, the next "About" opens it again with the program's version.
TEST_F(MainWndRoutingTest, TheTrayAboutItemOpensTheAboutWindowAfterEveryWayOfClosingIt) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ASSERT_TRUE(window_->HasTray());
    QMenu* menu = window_->Tray()->contextMenu();
    ASSERT_NE(menu, nullptr);
    QAction* aboutItem = menu->findChild<QAction*>(QStringLiteral("about_menu"));
    ASSERT_NE(aboutItem, nullptr);

    const std::function<void(CAboutWnd&)> closings[] = {
        [](CAboutWnd& about) {
            auto* close = about.FindControl<QAbstractButton>(QStringLiteral("closebtn"));
            ASSERT_NE(close, nullptr);
            QTest::mouseClick(close, Qt::LeftButton);
        },
        [](CAboutWnd& about) { QTest::keyClick(&about, Qt::Key_Escape); },
        [](CAboutWnd& about) { about.close(); },  // the window manager's close
        [this](CAboutWnd&) { emit window_->Tray()->activated(QSystemTrayIcon::Trigger); },
    };
    int way = 0;
    for (const auto& close : closings) {
        SCOPED_TRACE(way++);
        QString version;
        bool opened = false;
        // Runs inside the about window's modal wait; a local timer never fires after the loop.
        QTimer user;
        user.setSingleShot(true);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* about = qobject_cast<CAboutWnd*>(window_->aboutWindow.data());
            ASSERT_NE(about, nullptr);
            opened = about->isVisible() && about->IsModalRunning();
            version = about->FindControl<QLabel>(QStringLiteral("software_ver_label"))->text();
            close(*about);
        });
        user.start(0);
        aboutItem->trigger();
        EXPECT_TRUE(opened);
        EXPECT_EQ(version.toStdString(),
                  "Software version " + CAboutWnd::VersionString().toStdString());
        EXPECT_TRUE(window_->aboutWindow.isNull());
    }
}

TEST_F(MainWndRoutingTest, DestroyingTheWindowRemovesTheHook) {
    ASSERT_EQ(capture::SendCaptureHookMessage(window_.get(), 1), 1);
    window_.reset();
    // No filter is left behind: keys reach widgets again.
    QWidget other;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0, 0);
    QApplication::sendEvent(&other, &press);
    SUCCEED();
}

}  // namespace
