#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include "app/DeviceQueryBlock.h"
#include "app/MainWnd.h"
#include "app/MainWndBus.h"
#include "tests/support/ui/UiTestHarness.h"

class LightOwnerListener : public QObject {
    Q_OBJECT
public slots:
    void OnLightOwner(int wParam, int lParam) { emit Heard(wParam, lParam); }
signals:
    void Heard(int wParam, int lParam);
};

class FakeSettingsWindow : public QWidget {
    Q_OBJECT
public:
    int wParam = -1, lParam = -1;
public slots:
    void RelaySettings(int w, int l) {
        wParam = w;
        lParam = l;
    }
};

namespace {

// A private session bus for this process, started once; empty when dbus-daemon is missing.
QString PrivateSessionBus() {
    static QString address = [] {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            return QString();
        }
        auto* process = new QProcess();  // lives until the process ends; killed with it
        process->start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")});
        if (!process->waitForStarted(5000) || !process->waitForReadyRead(5000)) {
            return QString();
        }
        const QString line = QString::fromUtf8(process->readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", line.toUtf8());
        return line;
    }();
    return address;
}

template <class T>
T Await(const QDBusPendingReply<T>& reply) {
    QDBusPendingCallWatcher watcher(reply);
    if (!reply.isFinished()) {
        QSignalSpy done(&watcher, &QDBusPendingCallWatcher::finished);
        done.wait(5000);
    }
    EXPECT_FALSE(reply.isError()) << reply.error().message().toStdString();
    return reply.value();
}

void AwaitVoid(const QDBusPendingReply<>& reply) {
    QDBusPendingCallWatcher watcher(reply);
    if (!reply.isFinished()) {
        QSignalSpy done(&watcher, &QDBusPendingCallWatcher::finished);
        done.wait(5000);
    }
    EXPECT_FALSE(reply.isError()) << reply.error().message().toStdString();
}

class MainWndBusTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (PrivateSessionBus().isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        MainWndOptions options;
        options.useSystemBus = false;
        window_ = std::make_unique<CMainWnd>(options);
        ASSERT_TRUE(window_->Build());
        window_->Start();
        client_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(PrivateSessionBus(), QStringLiteral("companion")));
        ASSERT_TRUE(client_->isConnected());
    }

    // Calls are asynchronous: the window answers on this same thread.
    QDBusPendingCall Call(const char* method, const QVariantList& args = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QString::fromLatin1(CMainWndBus::kService), QString::fromLatin1(CMainWndBus::kPath),
            QString::fromLatin1(CMainWndBus::kInterface), QString::fromLatin1(method));
        message.setArguments(args);
        return client_->asyncCall(message);
    }
    void TearDown() override {
        client_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("companion"));
        window_.reset();
        UiTest::TearDown();
    }

    std::unique_ptr<CMainWnd> window_;
    std::unique_ptr<QDBusConnection> client_;
};

TEST_F(MainWndBusTest, DeviceQueryAnswersTheBlock) {
    const QByteArray bytes = Await<QByteArray>(Call("QueryDevices"));
    const DeviceQueryBlock block = BuildDeviceQueryBlock();
    ASSERT_EQ(bytes.size(), 1024);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(block.data()), 1024), bytes);
}

TEST_F(MainWndBusTest, LightControlOnlyWithWParamOne) {
    AwaitVoid(Call("LightControl", {0, 0}));
    EXPECT_EQ(window_->LightControlState(), 1);
    AwaitVoid(Call("LightControl", {1, 0}));
    EXPECT_EQ(window_->LightControlState(), 0);
    AwaitVoid(Call("LightControl", {1, 7}));  // not a state
    EXPECT_EQ(window_->LightControlState(), 0);
    AwaitVoid(Call("LightControl", {1, 1}));
    EXPECT_EQ(window_->LightControlState(), 1);
}

TEST_F(MainWndBusTest, ActivateShowsTheWindowAndRelayNeedsASettingsWindow) {
    window_->hide();
    AwaitVoid(Call("Activate"));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(Await<bool>(Call("RelaySettings", {1, 2})));
}

TEST_F(MainWndBusTest, SettingsRelayReachesTheOpenSettingsWindow) {
    FakeSettingsWindow settings;
    window_->settingsWindow = &settings;
    EXPECT_TRUE(Await<bool>(Call("RelaySettings", {3, 4})));
    QTRY_COMPARE_WITH_TIMEOUT(settings.wParam, 3, 2000);
    EXPECT_EQ(settings.lParam, 4);
    // A window without the slot is not sent anything.
    QWidget plain;
    window_->settingsWindow = &plain;
    EXPECT_FALSE(Await<bool>(Call("RelaySettings", {5, 6})));
    window_->settingsWindow = nullptr;
}

TEST_F(MainWndBusTest, LightOwnerBroadcastReachesCompanions) {
    LightOwnerListener listener;
    ASSERT_TRUE(client_->connect(QString(), QString::fromLatin1(CMainWndBus::kPath),
                                 QString::fromLatin1(CMainWndBus::kInterface),
                                 QStringLiteral("LightOwner"), &listener,
                                 SLOT(OnLightOwner(int, int))));
    QSignalSpy heard(&listener, &LightOwnerListener::Heard);
    emit window_->LightOwnerChanged(1, 1);
    ASSERT_TRUE(heard.wait(5000));
    EXPECT_EQ(heard.at(0).at(0).toInt(), 1);
    EXPECT_EQ(heard.at(0).at(1).toInt(), 1);
}

}  // namespace

#include "MainWndBusTest.moc"
