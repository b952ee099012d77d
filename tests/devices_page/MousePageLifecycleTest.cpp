#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "appearance/DeviceKeyButtonUI.h"
#include "devices/core/LedColour.h"
#include "protocol/CommandCodes.h"
#include "tests/devices_page/MousePageHarness.h"
#include "tests/support/TestDirs.h"
#include "ui/NotifyPump.h"

namespace {

using testsupport::MousePageTest;

TEST_F(MousePageTest, AMouseGoneMidChangeKeepsTheProfileAndThePage) {
    OpenDevice();
    ShowSystemPage();
    rig_->Unplug();
    auto* slider = Control<QSlider>("DPI_slider_0");
    testsupport::DragSlider(slider, 100);
    const int value = slider->value();
    // The change is kept in the profile; the failed write leaves the page as it is.
    EXPECT_EQ(ReadProfile()["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), value);
    EXPECT_EQ(Control<QLineEdit>("DPI_edit_0")->text(), QString::number(value * 50));
    // A re-read that cannot reach the mouse keeps what is shown.
    page_->RefreshFromDevice();
    EXPECT_EQ(slider->value(), value);
    page_->CloseEventInterface();
    page_->CloseCommandInterface();
    EXPECT_FALSE(page_->IsCommandChannelOpen());
}

TEST_F(MousePageTest, TheDeviceIndependentDpiPairKeepsInStepWithItself) {
    OpenDevice();
    auto* slider = new QSlider(Qt::Horizontal, window_.get());
    slider->setObjectName(QStringLiteral("tamric_DPI_slider_0"));
    slider->setRange(200, 6500);
    slider->setGeometry(0, 500, 300, 24);
    auto* edit = new QLineEdit(window_.get());
    edit->setObjectName(QStringLiteral("tamric_DPI_edit_0"));
    edit->setGeometry(320, 500, 80, 30);
    ui::AttachPumpToControl(slider);
    ui::AttachPumpToControl(edit);
    slider->show();
    edit->show();
    ClearFrames();
    const std::string before = testsupport::ReadFile(ProfilePath());

    testsupport::DragSlider(slider, 3000);
    EXPECT_EQ(edit->text(), QString::number(slider->value()));
    struct Case {
        const char* typed;
        int value;
    };
    for (const Case c : {Case{"9000", 6500}, Case{"12", 200}, Case{"4000", 4000}}) {
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 1000));
        edit->setText(QString::fromLatin1(c.typed));
        slider->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(edit->text(), QString::number(c.value)) << c.typed;
        EXPECT_EQ(slider->value(), c.value) << c.typed;
    }
    // Neither the profile nor the mouse hears of it.
    EXPECT_TRUE(ReceivedCommands().empty());
    EXPECT_EQ(testsupport::ReadFile(ProfilePath()), before);
}

TEST_F(MousePageTest, LedPreviewControlsShowTheFrameOfAMouseWithLeds) {
    page_->SetLedCount(2);
    page_->BindControls();
    auto* strip = Control<appearance::CDeviceKeyButtonUI>("light_0_0");
    auto* logo = Control<appearance::CDeviceKeyButtonUI>("light_0_1");
    EXPECT_TRUE(strip->IsLightDisplayed());  // lit white once bound
    page_->SelectSettingsPage(1);
    testsupport::RunEventLoopFor(10);
    page_->Core().SetLedColour(0, devices::LedWord({255, 0, 0, 128}));
    page_->Core().SetLedColour(1, devices::LedWord({0, 0, 255, 255}));
    EXPECT_TRUE(page_->ShowLightFrame());
    EXPECT_EQ(strip->LightColour(), QColor(255, 0, 0));
    EXPECT_EQ(strip->LightAlpha(), 128);
    EXPECT_EQ(logo->LightColour(), QColor(0, 0, 255));
    // The same frame again is no change for the entry to repaint.
    EXPECT_FALSE(page_->ShowLightFrame());
}

TEST_F(MousePageTest, ADragOverTheLightPreviewOfAMouseWithoutLedsChangesNothing) {
    OpenDevice();
    page_->SelectSettingsPage(1);
    testsupport::RunEventLoopFor(10);
    QWidget* panel = Control<QWidget>("mouse_device_key_light");
    ClearFrames();
    const std::string before = testsupport::ReadFile(ProfilePath());
    window_->Clear();
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(panel, QPoint(60, 80));
    QTest::mouseMove(panel, QPoint(panel->width() - 4, panel->height() - 4));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(panel->width() - 4, panel->height() - 4));
    EXPECT_FALSE(window_->Of(QStringLiteral("click_select_end")).empty());
    EXPECT_TRUE(ReceivedCommands().empty());
    EXPECT_EQ(testsupport::ReadFile(ProfilePath()), before);
}

TEST_F(MousePageTest, APageGoingAwayUnbindsItsEntryFirst) {
    OpenDevice();
    ASSERT_EQ(entry_->Device(), page_);
    delete page_;
    page_ = nullptr;
    EXPECT_EQ(entry_->Device(), nullptr);
    testsupport::RunEventLoopFor(60);  // the entry's timers find nothing to drive
}

}  // namespace
