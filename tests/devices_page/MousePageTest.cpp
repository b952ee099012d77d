#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>

#include "appearance/DeviceKeyButtonUI.h"
#include "protocol/CommandCodes.h"
#include "tests/devices_page/MousePageHarness.h"
#include "ui/ListContainer.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace {

using protocol::Command;
using protocol::CommandByte;
using testsupport::MousePageTest;

constexpr std::uint8_t kBegin = CommandByte(Command::BeginSession);
constexpr std::uint8_t kEnd = CommandByte(Command::EndSession);
constexpr std::uint8_t kWrite = CommandByte(Command::WriteSettings);

const Json::Value& Stage(const Json::Value& profile, int i) {
    return profile["Device"][0]["DPIStages"]["StageDPIs"][i];
}

// The settings write of one change: begin, the 57 bytes at offset 0 in frames of 56 and 1
// data bytes, end. Returns the 57 bytes written.
std::vector<std::uint8_t> ExpectOneSettingsWrite(const std::vector<std::uint8_t>& commands,
                                                 const std::vector<sim::FrameBytes>& writes) {
    EXPECT_EQ(commands, (std::vector<std::uint8_t>{kBegin, kWrite, kWrite, kEnd}));
    std::vector<std::uint8_t> block;
    if (writes.size() != 2) {
        ADD_FAILURE() << "settings frames: " << writes.size();
        return block;
    }
    EXPECT_EQ(writes[0][4], 56);
    EXPECT_EQ(writes[0][5] | (writes[0][6] << 8), 0);
    EXPECT_EQ(writes[1][4], 1);
    EXPECT_EQ(writes[1][5] | (writes[1][6] << 8), 56);
    block.assign(writes[0].begin() + 8, writes[0].begin() + 64);
    block.push_back(writes[1][8]);
    return block;
}

TEST_F(MousePageTest, BindingFindsKeyButtonsAndLeavesLedPreviewsDark) {
    ASSERT_EQ(page_->KeyButtons().size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        ASSERT_NE(page_->KeyButtons()[i], nullptr) << i;
        EXPECT_EQ(page_->KeyButtons()[i]->objectName(), QStringLiteral("key_%1").arg(i));
    }
    EXPECT_EQ(page_->SelectPanel()->objectName(), QStringLiteral("mouse_device_key_panel"));
    // The mouse has no LEDs: its preview controls are bound but never lit.
    EXPECT_TRUE(page_->LightButtons().empty());
    auto* strip = Control<appearance::CDeviceKeyButtonUI>("light_0_0");
    ASSERT_NE(strip, nullptr);
    EXPECT_FALSE(strip->IsLightDisplayed());
    EXPECT_FALSE(page_->ShowLightFrame());
    EXPECT_FALSE(strip->IsLightDisplayed());
    // Page 0 is shown with its option selected; choosing option 1 shows the light preview.
    auto* settings = Control<ui::TabLayout>("mouse_device_seting_layout");
    EXPECT_EQ(settings->CurrentSel(), 0);
    auto* lightOption = Control<ui::OptionButton>("mouse_device_seting_option_1");
    QTest::mouseClick(lightOption, Qt::LeftButton);
    EXPECT_EQ(settings->CurrentSel(), 1);
    EXPECT_TRUE(lightOption->IsSelected());
    EXPECT_FALSE(Control<ui::OptionButton>("mouse_device_seting_option_0")->IsSelected());
    page_->SelectSettingsPage(7);  // beyond the pages: page 0
    EXPECT_EQ(settings->CurrentSel(), 0);
}

TEST_F(MousePageTest, OpeningShowsDeviceStateAndKeyInfo) {
    OpenDevice();
    // Limits from the device information: slider 2..520, 50 DPI per unit.
    auto* slider = Control<QSlider>("DPI_slider_1");
    EXPECT_EQ(slider->minimum(), 2);
    EXPECT_EQ(slider->maximum(), 520);
    // DPI values from the profile (32 units), the active stage and the rate from the mouse.
    EXPECT_EQ(slider->value(), 32);
    EXPECT_EQ(Control<QLineEdit>("DPI_edit_1")->text(), QStringLiteral("1600"));
    EXPECT_TRUE(Control<ui::OptionButton>("polling_rate_option_4")->IsSelected());
    EXPECT_EQ(Control<QSlider>("pointer_speed_slider")->value(), 10);
    EXPECT_EQ(Control<QLabel>("pointer_speed_slider_value")->text(), QStringLiteral("10"));
    EXPECT_TRUE(Control<QCheckBox>("pointer_precision_check")->isChecked());
    // One row per key button, named by the button and its function.
    auto* list = Control<ui::ListContainer>("device_setkeyinfo_list");
    ASSERT_EQ(list->Count(), 8);
    const QLabel* name = list->ElementAt(0)->findChild<QLabel*>(QStringLiteral("key_info_name"));
    EXPECT_EQ(name->text(), QStringLiteral("Left button"));
    EXPECT_FALSE(list->ElementAt(7)->isHidden());
    EXPECT_TRUE(page_->KeyButtons()[0]->toolTip().startsWith(QStringLiteral("Left button: ")));
}

TEST_F(MousePageTest, DpiSliderReleaseStoresStageAndWritesSettings) {
    OpenDevice();
    ShowSystemPage();
    auto* slider = Control<QSlider>("DPI_slider_2");
    ASSERT_TRUE(slider->isVisible());
    ClearFrames();
    window_->Clear();
    testsupport::DragSlider(slider, 200);
    const int value = slider->value();
    EXPECT_NEAR(value, 200, 6);
    EXPECT_FALSE(
        window_->Of(QStringLiteral("movevaluechanged"), QStringLiteral("DPI_slider_2")).empty());

    EXPECT_EQ(Stage(ReadProfile(), 2)["StageDPIX"].asInt(), value);
    EXPECT_EQ(Control<QLineEdit>("DPI_edit_2")->text(), QString::number(value * 50));
    const auto block = ExpectOneSettingsWrite(ReceivedCommands(), ReceivedFrames(kWrite));
    ASSERT_EQ(block.size(), 57u);
    EXPECT_EQ(block[20] | (block[21] << 8), value);  // stage 2 at bytes 20-21
    EXPECT_EQ(block[16] | (block[17] << 8), 16);     // the other stages as the profile has them
}

TEST_F(MousePageTest, DraggingShowsTheValueWithoutStoringOrSending) {
    OpenDevice();
    ShowSystemPage();
    ClearFrames();
    auto* slider = Control<QSlider>("DPI_slider_0");
    slider->setSliderDown(true);
    slider->setSliderPosition(100);  // a drag in progress: "movevaluechanged" only
    page_->OnDpiSliderMoving(0);
    EXPECT_EQ(Control<QLineEdit>("DPI_edit_0")->text(), QStringLiteral("5000"));
    EXPECT_EQ(Stage(ReadProfile(), 0)["StageDPIX"].asInt(), 16);
    EXPECT_TRUE(ReceivedCommands().empty());
    slider->setSliderDown(false);
}

TEST_F(MousePageTest, EditLeftStoresTypedDpiRaisedToTheMinimum) {
    OpenDevice();
    ShowSystemPage();
    struct Case {
        const char* typed;
        int units;
        const char* shown;
    };
    const Case cases[] = {
        {"3200", 64, "3200"}, {"50", 2, "100"}, {"", 2, "100"}, {"1234", 24, "1200"}};
    auto* edit = Control<QLineEdit>("DPI_edit_3");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ClearFrames();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 1000));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        Control<QSlider>("DPI_slider_0")->setFocus();  // leaving the edit: "killfocus"
        QApplication::processEvents();
        EXPECT_EQ(Control<QSlider>("DPI_slider_3")->value(), c.units);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(Stage(ReadProfile(), 3)["StageDPIX"].asInt(), c.units);
        EXPECT_EQ(ReceivedFrames(kWrite).size(), 2u);
    }
}

// Enter applies the typed DPI at once, as leaving the edit does; leaving it afterwards writes
// nothing more, and a change typed after Enter is applied when the edit is left.
TEST_F(MousePageTest, EnterInADpiEditAppliesItAsLeavingItDoes) {
    OpenDevice();
    ShowSystemPage();
    auto* edit = Control<QLineEdit>("DPI_edit_2");
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 1000));
    ClearFrames();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("3230"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(Stage(ReadProfile(), 2)["StageDPIX"].asInt(), 64);
    EXPECT_EQ(Control<QSlider>("DPI_slider_2")->value(), 64);
    EXPECT_EQ(edit->text().toStdString(), "3200");
    EXPECT_EQ(ReceivedFrames(kWrite).size(), 2u);

    Control<QSlider>("DPI_slider_0")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ReceivedFrames(kWrite).size(), 2u);  // nothing new to write

    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }, 1000));
    QTest::keyClick(edit, Qt::Key_Return);  // applied by Enter
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1600"));
    Control<QSlider>("DPI_slider_0")->setFocus();  // then changed and left
    QApplication::processEvents();
    EXPECT_EQ(Stage(ReadProfile(), 2)["StageDPIX"].asInt(), 32);
    EXPECT_EQ(ReceivedFrames(kWrite).size(), 6u);
}

// A DPI slider has hundreds of values on a short groove: each arrow key and wheel notch moves
// it by one value (50 DPI), Page Up/Down by ten; every step is stored and written.
TEST_F(MousePageTest, DpiSliderStepsOneValuePerKeyOrWheelNotchAndTenPerPage) {
    OpenDevice();
    ShowSystemPage();
    auto* slider = Control<QSlider>("DPI_slider_1");
    slider->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([slider] { return slider->hasFocus(); }, 1000));
    const auto wheel = [slider](int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at = QRectF(slider->rect()).center();
        QWheelEvent event(at, slider->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &event);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        int change;
    };
    const Step steps[] = {
        {"right arrow", [slider] { QTest::keyClick(slider, Qt::Key_Right); }, 1},
        {"left arrow", [slider] { QTest::keyClick(slider, Qt::Key_Left); }, -1},
        {"page up", [slider] { QTest::keyClick(slider, Qt::Key_PageUp); }, 10},
        {"page down", [slider] { QTest::keyClick(slider, Qt::Key_PageDown); }, -10},
        {"wheel notch up", [&] { wheel(120); }, 1},
        {"wheel notch down", [&] { wheel(-120); }, -1},
        {"two half notches", [&] { wheel(60), wheel(60); }, 1},
        {"wheel with Ctrl", [&] { wheel(120, Qt::ControlModifier); }, 10},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const int before = slider->value();
        ClearFrames();
        step.act();
        EXPECT_EQ(slider->value(), before + step.change);
        EXPECT_EQ(Stage(ReadProfile(), 1)["StageDPIX"].asInt(), before + step.change);
        EXPECT_EQ(Control<QLineEdit>("DPI_edit_1")->text().toStdString(),
                  std::to_string((before + step.change) * 50));
        EXPECT_EQ(ReceivedFrames(kWrite).size(), 2u);  // one settings write
    }
}

TEST_F(MousePageTest, TheLastEnabledStageCannotBeSwitchedOff) {
    OpenDevice();
    ShowSystemPage();
    auto check = [this](int i) {
        return Control<QCheckBox>(QStringLiteral("DPI_enable_check_%1").arg(i));
    };
    for (int i = 0; i < 3; ++i) {
        ClearFrames();
        QTest::mouseClick(check(i), Qt::LeftButton, {}, QPoint(8, 12));
        EXPECT_FALSE(check(i)->isChecked()) << i;
        EXPECT_FALSE(Control<QWidget>(QStringLiteral("DPI_layout_%1").arg(i))->isEnabled());
        EXPECT_EQ(Stage(ReadProfile(), i)["StageActive"].asInt(), 0);
        EXPECT_EQ(ReceivedFrames(kWrite).size(), 2u);
    }
    // Stage 3 is the only one left: its check is disabled and stays selected.
    EXPECT_TRUE(check(3)->isChecked());
    EXPECT_FALSE(check(3)->isEnabled());
    ClearFrames();
    QTest::mouseClick(check(3), Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_TRUE(check(3)->isChecked());
    EXPECT_EQ(Stage(ReadProfile(), 3)["StageActive"].asInt(), 1);
    EXPECT_TRUE(ReceivedCommands().empty());
    // Enabling any stage makes every check usable again.
    QTest::mouseClick(check(1), Qt::LeftButton, {}, QPoint(8, 12));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(check(i)->isEnabled()) << i;
    }
    EXPECT_TRUE(check(1)->isChecked());
}

TEST_F(MousePageTest, ReportRateOptionSendsItsIndexInByte14) {
    OpenDevice();
    ShowSystemPage();
    for (int r : {1, 0, 3}) {
        SCOPED_TRACE(r);
        ClearFrames();
        auto* option = Control<ui::OptionButton>(QStringLiteral("polling_rate_option_%1").arg(r));
        QTest::mouseClick(option, Qt::LeftButton);
        EXPECT_TRUE(option->IsSelected());
        const auto block = ExpectOneSettingsWrite(ReceivedCommands(), ReceivedFrames(kWrite));
        ASSERT_EQ(block.size(), 57u);
        EXPECT_EQ(block[14], r);
        EXPECT_EQ(rig_->mouse->Firmware().Memory().settings[14], r);
        EXPECT_EQ(ReadProfile()["Device"][0]["ReportStages"]["StageActive"].asInt(), r);
    }
    EXPECT_EQ(rig_->mouse->ReportRateHz(), 1000u);
}

TEST_F(MousePageTest, SettingsChangedOnTheMouseAreShownHalfASecondLater) {
    OpenDevice();
    ShowSystemPage();
    rig_->mouse->Firmware().EditMemory(
        [](sim::FirmwareMemory& memory) { memory.settings[14] = 1; });
    ClearFrames();
    ASSERT_TRUE(rig_->mouse->SendSettingsChangedEvent());
    // The listener asks the entry for timer 1002; nothing is read before it fires.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return entry_->IsTimerActive(appearance::CDeviceOptionUI::kTimerRefresh); },
        1000));
    EXPECT_TRUE(Control<ui::OptionButton>("polling_rate_option_4")->IsSelected());
    EXPECT_TRUE(ReceivedFrames(CommandByte(Command::ReadSettings)).empty());
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return Control<ui::OptionButton>("polling_rate_option_1")->IsSelected(); }, 1500));
    EXPECT_FALSE(Control<ui::OptionButton>("polling_rate_option_4")->IsSelected());
    EXPECT_EQ(ReceivedFrames(CommandByte(Command::ReadSettings)).size(), 2u);
    EXPECT_TRUE(ReceivedFrames(kWrite).empty());
    // The mouse's state wins over the profile's on a re-read.
    EXPECT_EQ(ReadProfile()["Device"][0]["ReportStages"]["StageActive"].asInt(), 1);
}

TEST_F(MousePageTest, RefreshingFromTheProfileWritesNothing) {
    OpenDevice();
    ShowSystemPage();
    Json::Value profile = ReadProfile();
    profile["Device"][0]["DPIStages"]["StageDPIs"][1]["StageDPIX"] = 40;
    profile["Device"][0]["SystemStages"]["MouseSpeed"] = 15;
    WriteProfile(profile);
    ClearFrames();
    page_->LoadProfileState();
    page_->RefreshControls();
    EXPECT_TRUE(ReceivedCommands().empty());
    EXPECT_EQ(Control<QSlider>("DPI_slider_1")->value(), 40);
    EXPECT_EQ(Control<QLineEdit>("DPI_edit_1")->text(), QStringLiteral("2000"));
    EXPECT_EQ(Control<QSlider>("pointer_speed_slider")->value(), 15);
    EXPECT_TRUE(window_->Of(QStringLiteral("valuechanged")).empty());
}

TEST_F(MousePageTest, SystemSettingsGoToTheProfileOnly) {
    OpenDevice();
    ShowSystemPage();
    ClearFrames();
    auto system = [this] { return ReadProfile()["Device"][0]["SystemStages"]; };
    auto* speed = Control<QSlider>("pointer_speed_slider");
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Right);
    EXPECT_EQ(system()["MouseSpeed"].asInt(), 11);
    EXPECT_EQ(Control<QLabel>("pointer_speed_slider_value")->text(), QStringLiteral("11"));

    auto* page = Control<QCheckBox>("scrolls_page_check");
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_EQ(system()["ScorllPage"].asInt(), 1);
    auto* lines = Control<QSlider>("scroll_speed_slider");
    lines->setFocus();
    QTest::keyClick(lines, Qt::Key_Right);
    EXPECT_EQ(system()["WheelScorlllinse"].asInt(), 4);
    EXPECT_EQ(system()["ScorllPage"].asInt(), 0);
    EXPECT_FALSE(page->isChecked());

    QTest::mouseClick(Control<QCheckBox>("pointer_precision_check"), Qt::LeftButton, {},
                      QPoint(8, 12));
    EXPECT_EQ(system()["PointerPrecision"].asInt(), 0);
    auto* doubleClick = Control<QSlider>("double_click_slider");
    doubleClick->setFocus();
    QTest::keyClick(doubleClick, Qt::Key_PageUp);
    EXPECT_EQ(system()["DoubleClickTime"].asInt(), 600);
    EXPECT_TRUE(ReceivedCommands().empty());
}

TEST_F(MousePageTest, KeyClickSelectsTheKeyAndShowsItPressed) {
    auto* left = page_->KeyButtons()[0];
    auto* right = page_->KeyButtons()[1];
    const QString rest = right->NormalImage();
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(page_->Core().GetSelectedKey(), 1);
    EXPECT_EQ(right->NormalImage(), right->PushedImage());
    EXPECT_EQ(left->NormalImage(), rest);
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_EQ(page_->Core().GetSelectedKey(), 0);
    EXPECT_EQ(right->NormalImage(), rest);
    EXPECT_EQ(left->NormalImage(), left->PushedImage());
}

}  // namespace
