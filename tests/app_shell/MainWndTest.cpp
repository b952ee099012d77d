#include "app/MainWnd.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "app/AboutWnd.h"
#include "app/MsgWnd.h"
#include "app/NoDevicePage.h"
#include "hid/HidBackend.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/LanguageTexts.h"
#include "ui/TabLayout.h"

namespace {

using namespace std::chrono_literals;

// Records what the window asks of the device part; its discovery thread posts the first-pass
// activation like the real one, once released.
class FakeSwitcher : public IDeviceSwitcher {
public:
    explicit FakeSwitcher(CMainWnd& window) : window_(window) {}

    std::vector<std::string> calls;
    int visibleEntries = 0;
    std::atomic<bool> releaseFirstPass{true};
    std::vector<bool> liveLight, windowActive;

    void CreateDevicePages() override { calls.push_back("CreateDevicePages"); }
    void StartThreads() override {
        calls.push_back("StartThreads");
        window_.Threads().Start(CMainWnd::kDiscoverySlot, [this](std::stop_token token) {
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            while (!releaseFirstPass && !token.stop_requested()) {
                wake.wait_for(lock, token, 5ms, [] { return false; });
            }
            window_.PostToUi([this] { window_.ActivateMainWindow(); });
            wake.wait(lock, token, [] { return false; });
        });
    }
    int CountVisibleEntries() const override { return visibleEntries; }
    void SetWindowActive(bool active) override { windowActive.push_back(active); }
    void SetLiveLight(bool on) override { liveLight.push_back(on); }
    void OnLanguageChanged() override { calls.push_back("OnLanguageChanged"); }
    void Shutdown() override { calls.push_back("Shutdown"); }

private:
    CMainWnd& window_;
};

MainWndOptions QuietOptions() {
    MainWndOptions options;
    options.useSessionBus = false;
    options.useSystemBus = false;
    return options;
}

class MainWndTest : public testsupport::UiTest {
protected:
    std::unique_ptr<CMainWnd> MakeWindow(MainWndOptions options = QuietOptions(),
                                         FakeSwitcher** switcher = nullptr) {
        auto window = std::make_unique<CMainWnd>(options);
        if (switcher != nullptr) {
            auto fake = std::make_unique<FakeSwitcher>(*window);
            *switcher = fake.get();
            window->SetDeviceSwitcher(std::move(fake));
        }
        EXPECT_TRUE(window->Build()) << window->LayoutError().toStdString();
        return window;
    }
};

TEST_F(MainWndTest, MainLayoutHasEveryControlThePartsLookUp) {
    auto window = MakeWindow();
    for (const char* name : {"root",
                             "closebtn",
                             "maxbtn",
                             "restorebtn",
                             "minbtn",
                             "skinbtn",
                             "setbtn",
                             "gamemodebtn",
                             "cloudbtn",
                             "smarteyesbtn",
                             "control_light_status",
                             "device_select_layout",
                             "device_select_prev",
                             "device_select_next",
                             "deng_same_mode",
                             "No_device_Link",
                             "nodevice_ok_btn",
                             "nodevice_title",
                             "nodevice_text",
                             "nodevice_udev_command"}) {
        EXPECT_NE(window->FindControl(QString::fromLatin1(name)), nullptr) << name;
    }
    // Both tab layouts start with their empty page 0; the no-device page lives on page 0.
    for (const char* name : {"device_switch", "device_power_switch"}) {
        auto* tabs = window->FindControl<ui::TabLayout>(QString::fromLatin1(name));
        ASSERT_NE(tabs, nullptr) << name;
        EXPECT_EQ(tabs->Count(), 1) << name;
    }
    QWidget* page0 = window->FindControl<ui::TabLayout>(QStringLiteral("device_switch"))->widget(0);
    EXPECT_TRUE(page0->isAncestorOf(window->FindControl(QStringLiteral("No_device_Link"))));
    EXPECT_EQ(window->windowTitle(), CMainWnd::ProductName());
}

// The footer, the about window and --version show one version, the one the program was built
// as; the footer keeps its number when the language's texts are applied again.
TEST_F(MainWndTest, FooterAboutWindowAndVersionOptionShowTheOneVersion) {
    QProcess program;
    program.start(QStringLiteral(ZORVATH_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(30000));
    const QStringList printed = QString::fromUtf8(program.readAllStandardOutput()).split(u' ');
    ASSERT_EQ(printed.size(), 2);
    const QString number = printed[1].trimmed();
    const QStringList parts = number.split(u'.');
    ASSERT_GE(parts.size(), 2) << number.toStdString();

    auto window = MakeWindow();
    auto* footer = window->FindControl<QLabel>(QStringLiteral("main_version_label"));
    ASSERT_NE(footer, nullptr);
    const QString expected = ui::FormatText(QStringLiteral("main_version_text"), {number});
    EXPECT_TRUE(expected.endsWith(number)) << expected.toStdString();
    EXPECT_EQ(footer->text().toStdString(), expected.toStdString());
    ui::ApplyTexts(window.get());
    EXPECT_EQ(footer->text().toStdString(), expected.toStdString());

    const QString label = QStringLiteral("V%1%2")
                              .arg(parts[0].toInt(), 2, 10, QLatin1Char('0'))
                              .arg(parts[1].toInt(), 2, 10, QLatin1Char('0'));
    EXPECT_EQ(CAboutWnd::VersionString().toStdString(), label.toStdString());
}

TEST_F(MainWndTest, StartsHiddenAndShowsAfterTheFirstDiscoveryPass) {
    FakeSwitcher* switcher = nullptr;
    auto window = MakeWindow(QuietOptions(), &switcher);
    switcher->releaseFirstPass = false;
    window->Start();
    EXPECT_EQ(switcher->calls, (std::vector<std::string>{"CreateDevicePages", "StartThreads"}));
    EXPECT_TRUE(window->Threads().IsRunning(CMainWnd::kDiscoverySlot));
    testsupport::RunEventLoopFor(150);
    EXPECT_FALSE(window->isVisible());
    switcher->releaseFirstPass = true;
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    // No device: the no-device page shows.
    EXPECT_TRUE(window->FindControl(QStringLiteral("No_device_Link"))->isVisible());
    // Timer 1011 gave the window its size.
    QTRY_COMPARE_WITH_TIMEOUT(window->size(), QSize(1000, 640), 1000);
}

TEST_F(MainWndTest, NoDevicePageHidesWhenAnEntryIsVisible) {
    FakeSwitcher* switcher = nullptr;
    auto window = MakeWindow(QuietOptions(), &switcher);
    switcher->visibleEntries = 1;
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    EXPECT_FALSE(window->FindControl(QStringLiteral("No_device_Link"))->isVisible());
    switcher->visibleEntries = 0;
    window->ActivateMainWindow();
    EXPECT_TRUE(window->FindControl(QStringLiteral("No_device_Link"))->isVisible());
}

TEST_F(MainWndTest, WithoutTrayClosingEndsTheProgramAndStopsTheThreads) {
    FakeSwitcher* switcher = nullptr;
    auto window = MakeWindow(QuietOptions(), &switcher);
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    ASSERT_FALSE(window->HasTray());  // offscreen has no status area
    window->close();
    EXPECT_TRUE(window->IsExiting());
    EXPECT_EQ(window->Threads().AbandonedCount(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->Threads().IsRunning(CMainWnd::kDiscoverySlot));
    EXPECT_EQ(switcher->calls.back(), "Shutdown");
}

TEST_F(MainWndTest, WithTrayClosingHidesAndExitEnds) {
    MainWndOptions options = QuietOptions();
    options.trayWithoutStatusArea = true;
    FakeSwitcher* switcher = nullptr;
    auto window = MakeWindow(options, &switcher);
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    ASSERT_TRUE(window->HasTray());
    EXPECT_EQ(window->Tray()->toolTip(), CMainWnd::ProductName());

    // The caption's close button hides; the threads keep running.
    auto* closeButton = window->FindControl<QAbstractButton>(QStringLiteral("closebtn"));
    ASSERT_NE(closeButton, nullptr);
    QTest::mouseClick(closeButton, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->IsExiting());
    EXPECT_TRUE(window->Threads().IsRunning(CMainWnd::kDiscoverySlot));

    // A left click on the tray icon brings it back, another hides it again.
    emit window->Tray()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    emit window->Tray()->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window->isVisible());

    // The tray menu comes from the skin's menu.xml; its "exit" ends the program.
    QMenu* menu = window->Tray()->contextMenu();
    ASSERT_NE(menu, nullptr);
    QAction* exitItem = menu->findChild<QAction*>(QStringLiteral("exit"));
    ASSERT_NE(exitItem, nullptr);
    EXPECT_NE(menu->findChild<QAction*>(QStringLiteral("about_menu")), nullptr);
    exitItem->trigger();
    EXPECT_TRUE(window->IsExiting());
    EXPECT_FALSE(window->Threads().IsRunning(CMainWnd::kDiscoverySlot));
}

TEST_F(MainWndTest, NoDeviceOkWithoutTrayMinimisesInsteadOfHiding) {
    auto window = MakeWindow();
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    QTest::mouseClick(window->FindControl<QAbstractButton>(QStringLiteral("nodevice_ok_btn")),
                      Qt::LeftButton);
    EXPECT_FALSE(window->IsExiting());
    EXPECT_TRUE(window->isMinimized() || window->isVisible());
}

// The discovery thread hands arrivals over synchronously; exiting while it waits in such a
// hand-over must neither deadlock nor lose the hand-over.
TEST_F(MainWndTest, ExitWhileAWorkerWaitsInAHandOver) {
    auto window = MakeWindow();
    window->Start();
    std::atomic<int> handedOver{0};
    std::atomic<bool> waiting{false};
    ASSERT_TRUE(window->Threads().Start(CMainWnd::kLightSyncSlot, [&](std::stop_token token) {
        while (!token.stop_requested()) {
            waiting = true;
            if (window->SendToUi(token, [&] { ++handedOver; })) {
                std::this_thread::sleep_for(1ms);
            }
        }
    }));
    while (!waiting) {
        std::this_thread::sleep_for(1ms);
    }
    // No event loop runs now: the worker is blocked until Exit runs its hand-over. No thread
    // left behind means the join did not run out its time.
    window->Exit();
    EXPECT_FALSE(window->Threads().IsRunning(CMainWnd::kLightSyncSlot));
    EXPECT_GE(handedOver, 1);
    EXPECT_EQ(window->Threads().AbandonedCount(), 0);
}

// --quit-after or a signal while a message box is open: the box's own loop ends too, also
// before the application's loop has started (a quit is not taken then).
TEST_F(MainWndTest, ExitEndsAnOpenMessageBox) {
    auto window = MakeWindow();
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    bool gaveUp = false;
    CMsgWnd::SetShownHookForTesting([&window, &gaveUp](CMsgWnd* box) {
        // Only so that a failing test ends.
        QTimer::singleShot(20000, box, [box, &gaveUp] {
            gaveUp = true;
            box->EndModal(1);
        });
        window->Exit();
    });
    EXPECT_EQ(ShowMessage(window.get(), QString(), QStringLiteral("ok_text"), 96, true, 0), 0);
    CMsgWnd::SetShownHookForTesting(nullptr);
    EXPECT_FALSE(gaveUp);
    EXPECT_TRUE(window->IsExiting());
}

TEST_F(MainWndTest, LightControlAndSleepReachEveryDevice) {
    FakeSwitcher* switcher = nullptr;
    auto window = MakeWindow(QuietOptions(), &switcher);
    window->Start();
    auto* status = window->FindControl<QAbstractButton>(QStringLiteral("control_light_status"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), ui::Text(QStringLiteral("control_light_on_text")));

    window->SetLightControlState(0);
    EXPECT_EQ(window->LightControlState(), 0);
    EXPECT_EQ(status->text(), ui::Text(QStringLiteral("control_light_off_text")));
    window->SetLightControlState(1);
    EXPECT_EQ(status->text(), ui::Text(QStringLiteral("control_light_on_text")));

    window->OnSuspend();
    EXPECT_FALSE(window->SystemAwake());
    window->OnResume();
    EXPECT_TRUE(window->SystemAwake());
    EXPECT_EQ(switcher->liveLight, (std::vector<bool>{false, true, false, true}));

    // Resuming restores what the other program last asked for.
    window->SetLightControlState(0);
    window->OnSuspend();
    window->OnResume();
    EXPECT_EQ(switcher->liveLight.back(), false);
    window->Exit();
}

class NodesBackend : public hid::IHidBackend {
public:
    bool Enumerate(std::vector<std::string>& paths) override {
        paths = {"/dev/hidraw3&vid_320f&pid_2210&mi_01&col04#0003:320F:2210.0004"};
        return true;
    }
    bool IsPresent(const std::string&) override { return true; }
    std::unique_ptr<hid::IHidHandle> Open(const std::string&, bool) override { return nullptr; }
};

int DeniedProbe(const std::string&) {
    return EACCES;
}

// A mouse that is present but refuses this user: the page explains the udev rule instead of
// claiming that no mouse is connected.
TEST_F(MainWndTest, NoDevicePageExplainsTheUdevRuleWhenTheMouseRefusesTheUser) {
    auto previous = hid::DefaultBackend();
    hid::UseBackend(std::make_shared<NodesBackend>());
    SetNoDeviceProbeForTesting(&DeniedProbe);
    auto window = MakeWindow();
    window->Start();
    QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), 1000);
    auto* title = window->FindControl<QLabel>(QStringLiteral("nodevice_title"));
    auto* command = window->FindControl<QLabel>(QStringLiteral("nodevice_udev_command"));
    EXPECT_EQ(title->text(), ui::Text(QStringLiteral("nodevice_denied_title_text")));
    EXPECT_TRUE(command->isVisible());
    EXPECT_TRUE(command->text().contains(QStringLiteral("70-zorvath.rules")));

    // Once the rule is in place the page says plainly that no mouse is connected.
    SetNoDeviceProbeForTesting(nullptr);
    hid::UseBackend(previous);
    window->FindControl(QStringLiteral("No_device_Link"))->hide();
    window->ActivateMainWindow();
    EXPECT_EQ(title->text(), ui::Text(QStringLiteral("nodevice_title_text")));
    EXPECT_FALSE(command->isVisible());
}

}  // namespace
