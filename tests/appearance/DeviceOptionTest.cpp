#include <gtest/gtest.h>

#include <memory>

#include <atomic>
#include <thread>

#include <QElapsedTimer>
#include <QTest>

#include "appearance/DeviceOptionTarget.h"
#include "appearance/DeviceOptionUI.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/OptionButton.h"

namespace {

using appearance::CDeviceOptionUI;

class FakeDevice : public appearance::DeviceOptionTarget {
public:
    int opens = 0, frames = 0, refreshes = 0, spare1 = 0, spare2 = 0, statuses = 0;
    int polling = 1;
    bool open = true;
    bool changedFrames = true;
    CDeviceOptionUI* entry = nullptr;
    std::vector<int> order;  // 1001 open, 1000 frame, 1005 status, 1002 refresh

    void OpenDevice() override { ++opens, order.push_back(1001); }
    bool ShowLightFrame() override {
        ++frames;
        order.push_back(1000);
        return changedFrames;
    }
    void RefreshFromDevice() override { ++refreshes, order.push_back(1002); }
    void SpareOperation1() override { ++spare1; }
    void SpareOperation2() override { ++spare2; }
    void RefreshStatus() override { ++statuses, order.push_back(1005); }
    int GetStatusPolling() const override { return polling; }
    bool IsCommandChannelOpen() const override { return open; }
    void SetOptionEntry(CDeviceOptionUI* e) override { entry = e; }
};

class DeviceOptionTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        window_ = std::make_unique<testsupport::RecordingWindow>();
        entry_ = new CDeviceOptionUI(window_.get());
        entry_->setObjectName(QStringLiteral("device_entry"));
        option_ = new ui::OptionButton(entry_);
        option_->setObjectName(QStringLiteral("device_select"));
        option_->setCheckable(true);
        window_->show();
    }

    // Runs the timer's action now, as its expiry would. From the first call on the test drives
    // every timer of the entry by hand: none runs by real time, so a loaded machine cannot slip
    // an extra light frame or status poll in between.
    void Fire(int id) {
        entry_->UseManualTimersForTesting();
        ASSERT_TRUE(entry_->IsTimerActive(id)) << id;
        entry_->FireTimerForTesting(id);
    }
    int ArmedPeriod(int id) const { return entry_->ArmedPeriodForTesting(id); }

    FakeDevice device_;  // outlives the entry, as a device outlives its list entry
    std::unique_ptr<testsupport::RecordingWindow> window_;
    CDeviceOptionUI* entry_ = nullptr;
    ui::OptionButton* option_ = nullptr;
};

TEST_F(DeviceOptionTest, BindingOpensTheDeviceThenStreamsFramesAndPollsStatus) {
    entry_->BindDevice(&device_);
    EXPECT_EQ(device_.entry, entry_);
    EXPECT_TRUE(entry_->IsTimerActive(CDeviceOptionUI::kTimerOpen));
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerLightFrame));

    // Real time: the open 500 ms after binding, then a frame every 50 ms. A loaded machine may
    // be late, never early.
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return device_.frames >= 3; }, 10000));
    EXPECT_GE(clock.elapsed(), 550);  // Qt may fire a coarse timer up to 5 % early
    EXPECT_EQ(device_.opens, 1);
    EXPECT_EQ(device_.order.front(), 1001);
    EXPECT_TRUE(entry_->IsTimerActive(CDeviceOptionUI::kTimerLightFrame));
    EXPECT_TRUE(entry_->IsTimerActive(CDeviceOptionUI::kTimerStatus));
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerOpen));
    EXPECT_EQ(device_.statuses, 0);  // the first poll is 5000 ms after the open
}

TEST_F(DeviceOptionTest, TimersFollowTheirScheduleWhileTheChannelIsOpen) {
    entry_->BindDevice(&device_);
    entry_->UseManualTimersForTesting();
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerOpen), CDeviceOptionUI::kOpenDelayMs);
    Fire(CDeviceOptionUI::kTimerOpen);
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerOpen), -1);
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerLightFrame), CDeviceOptionUI::kFirstFrameDelayMs);
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerStatus), CDeviceOptionUI::kStatusPeriodMs);
    Fire(CDeviceOptionUI::kTimerLightFrame);
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerLightFrame), CDeviceOptionUI::kFramePeriodMs);
    Fire(CDeviceOptionUI::kTimerStatus);
    EXPECT_EQ(ArmedPeriod(CDeviceOptionUI::kTimerStatus), CDeviceOptionUI::kStatusPeriodMs);
    EXPECT_EQ(device_.order, (std::vector<int>{1001, 1000, 1005}));
}

TEST_F(DeviceOptionTest, ClosedChannelStopsFramesAndStatusPolling) {
    entry_->BindDevice(&device_);
    Fire(CDeviceOptionUI::kTimerOpen);
    device_.open = false;
    Fire(CDeviceOptionUI::kTimerLightFrame);
    EXPECT_EQ(device_.frames, 1);
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerLightFrame));
    Fire(CDeviceOptionUI::kTimerStatus);
    EXPECT_EQ(device_.statuses, 1);
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerStatus));
}

TEST_F(DeviceOptionTest, NoStatusTimerWithoutPolling) {
    device_.polling = 0;
    entry_->BindDevice(&device_);
    Fire(CDeviceOptionUI::kTimerOpen);
    EXPECT_TRUE(entry_->IsTimerActive(CDeviceOptionUI::kTimerLightFrame));
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerStatus));
}

TEST_F(DeviceOptionTest, PreviewRepaintsOnlyWhenSelectedAndChanged) {
    entry_->BindDevice(&device_);
    Fire(CDeviceOptionUI::kTimerOpen);
    Fire(CDeviceOptionUI::kTimerLightFrame);
    EXPECT_EQ(entry_->PreviewRepaints(), 0);  // not selected
    option_->SetSelected(true);
    Fire(CDeviceOptionUI::kTimerLightFrame);
    EXPECT_EQ(entry_->PreviewRepaints(), 1);
    device_.changedFrames = false;
    Fire(CDeviceOptionUI::kTimerLightFrame);
    EXPECT_EQ(entry_->PreviewRepaints(), 1);
}

TEST_F(DeviceOptionTest, RequestsFromAWorkerThreadRunOnTheUiThread) {
    entry_->BindDevice(&device_);
    entry_->KillTimer(CDeviceOptionUI::kTimerOpen);  // only the requested timers may run
    std::thread worker([this] {
        entry_->RequestTimer(CDeviceOptionUI::kTimerRefresh, 0);
        entry_->RequestTimer(CDeviceOptionUI::kTimerSpare1, 0);
        entry_->RequestTimer(CDeviceOptionUI::kTimerSpare2, 0);
    });
    worker.join();
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return device_.refreshes + device_.spare1 + device_.spare2 >= 3; }, 10000));
    EXPECT_EQ(device_.refreshes, 1);
    EXPECT_EQ(device_.spare1, 1);
    EXPECT_EQ(device_.spare2, 1);
    EXPECT_EQ(device_.opens, 0);
}

TEST_F(DeviceOptionTest, UnbindingStopsEveryTimer) {
    entry_->BindDevice(&device_);
    entry_->BindDevice(nullptr);
    EXPECT_EQ(device_.entry, nullptr);
    testsupport::RunEventLoopFor(600);
    EXPECT_EQ(device_.opens, 0);
    EXPECT_FALSE(entry_->IsTimerActive(CDeviceOptionUI::kTimerOpen));
}

TEST_F(DeviceOptionTest, KindChoosesPicturesAndTip) {
    struct Case {
        int kind, subKind;
        const char* prefix;
    };
    const Case cases[] = {{1, 0, "kb"},      {2, 0, "ms"},     {3, 0, "hard_mp"},
                          {3, 1, "soft_mp"}, {4, 0, "hd"},     {7, 0, "hd"},
                          {5, 0, "hub"},     {6, 0, "unknow"}, {0, 0, "unknow"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        entry_->SetDeviceKind(c.kind, c.subKind);
        const QString p = QLatin1String(c.prefix);
        const QString base = QStringLiteral("common/device_ico/") + p;
        EXPECT_EQ(option_->NormalImage(), base + QStringLiteral("_device_normal.png"));
        EXPECT_EQ(option_->DisabledImage(), base + QStringLiteral("_device_normal.png"));
        EXPECT_EQ(option_->SelectedImage(), base + QStringLiteral("_device_selected.png"));
        EXPECT_EQ(option_->property("toolTipId").toString(),
                  p + QStringLiteral("_device_name_text"));
        EXPECT_EQ(entry_->Pictures().synchroSelectedImage,
                  base + QStringLiteral("_device_synchro_selected.png"));
    }
    // A mouse pad of an unknown sub-kind keeps what it had.
    entry_->SetDeviceKind(3, 2);
    EXPECT_EQ(option_->NormalImage(), QStringLiteral("common/device_ico/unknow_device_normal.png"));

    entry_->SetDeviceKind(2);
    entry_->SetSynchronisedLook(true);
    EXPECT_EQ(option_->SelectedImage(),
              QStringLiteral("common/device_ico/ms_device_synchro_selected.png"));
    EXPECT_EQ(option_->NormalImage(),
              QStringLiteral("common/device_ico/ms_device_synchro_normal.png"));
}

TEST_F(DeviceOptionTest, ActivationNotifiesSelectChanged) {
    entry_->Activate();
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"), QStringLiteral("device_entry")).size(),
              1u);
}

}  // namespace
