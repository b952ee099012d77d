// "Restore defaults" on the mouse page, as a user uses it: the button is in sight on every
// tab; after the question is confirmed the mouse gets the factory key table and settings, and
// a cancelled question changes nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <string>
#include <vector>

#include "devices/core/MouseDeviceCore.h"
#include "profiles/JsonFile.h"
#include "protocol/CommandCodes.h"
#include "tests/support/ui/MainWindowTest.h"
#include "ui/LanguageTexts.h"

namespace {

constexpr std::size_t kReportRateByte = 14;
constexpr std::size_t kStage0DpiLow = 16;

class RestoreDefaultsButtonTest : public testsupport::MainWindowTest {
protected:
    devices::CMouseDeviceCore& Mouse() const {
        return static_cast<devices::CMouseDeviceCore&>(switcher_->CurrentDevice()->Core());
    }
    QAbstractButton* Button(const char* name) const {
        return window_->FindControl<QAbstractButton>(QString::fromLatin1(name));
    }
    void Click(const char* name) const {
        QAbstractButton* button = Button(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::vector<std::uint8_t> DeviceKeyTable() const {
        return rig_->mouse->Firmware().Memory().keyTable;
    }
    std::uint8_t DeviceSettingsByte(std::size_t at) const {
        return rig_->mouse->Firmware().Memory().settings.at(at);  // profile 0's slot
    }
    int DeviceStage0Dpi() const {
        return DeviceSettingsByte(kStage0DpiLow) | DeviceSettingsByte(kStage0DpiLow + 1) << 8;
    }
    // Another report rate, stage 1 DPI and left button function, on the mouse and in the profile.
    void ChangeTheMouse() {
        Click("system_Op_tab");
        const int otherRate = defaultRate_ == 1 ? 2 : 1;
        Click(("polling_rate_option_" + std::to_string(otherRate)).c_str());
        ASSERT_EQ(Mouse().SetStageDpiFromText(0, "2000"), 1);
        ASSERT_TRUE(Mouse().SetKeyAssignment(0, KeyCode{0x10, 0x02, 0x00}));
        ASSERT_EQ(Mouse().WriteKeys(0), 1);
        ASSERT_NE(DeviceKeyTable(), factoryKeys_);
        ASSERT_NE(DeviceSettingsByte(kReportRateByte), defaultRate_);
        ASSERT_NE(DeviceStage0Dpi(), defaultStage0_);
    }

    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        // The mouse holds its factory key table; the default profile shipped with the program
        // holds the factory settings.
        factoryKeys_ = DeviceKeyTable();
        const Json::Value defaults =
            CJsonFile().readjsonValue(Mouse().GetDefaultProfilePath())["Device"][0];
        defaultRate_ = static_cast<std::uint8_t>(defaults["ReportStages"]["StageActive"].asInt());
        defaultStage0_ = defaults["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt();
        ASSERT_GT(defaultStage0_, 0);
    }

    std::vector<std::uint8_t> factoryKeys_;
    std::uint8_t defaultRate_ = 0;
    int defaultStage0_ = 0;
};

TEST_F(RestoreDefaultsButtonTest, TheButtonIsInSightOnEveryTabWithAReadableCaption) {
    QAbstractButton* button = Button("default_btn");
    ASSERT_NE(button, nullptr);
    for (const char* tab :
         {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab"}) {
        Click(tab);
        EXPECT_TRUE(button->isVisible()) << tab;
    }
    EXPECT_EQ(button->text(), ui::Text(QStringLiteral("profile_restore_defaults_text")));
    EXPECT_NE(button->text(), QStringLiteral("profile_restore_defaults_text"));
    EXPECT_FALSE(button->toolTip().isEmpty());
    EXPECT_NE(button->toolTip(), QStringLiteral("profile_restore_defaults_tip"));
}

TEST_F(RestoreDefaultsButtonTest, ConfirmedTheMouseGetsTheFactoryKeysAndSettings) {
    ChangeTheMouse();
    Dialogs().messageAnswers = {1};
    Click("default_btn");

    ASSERT_EQ(Dialogs().asked.size(), 1u);
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("message_text_22"));
    EXPECT_EQ(Dialogs().asked[0].buttonCount, 2);
    EXPECT_EQ(DeviceKeyTable(), factoryKeys_);
    EXPECT_EQ(DeviceSettingsByte(kReportRateByte), defaultRate_);
    EXPECT_EQ(DeviceStage0Dpi(), defaultStage0_);
    // The page shows what the mouse now holds.
    EXPECT_EQ(Mouse().GetReportRateOption(), defaultRate_);
    EXPECT_TRUE(
        Button(("polling_rate_option_" + std::to_string(defaultRate_)).c_str())->isChecked());
    EXPECT_EQ(Mouse().GetKeyList().at(0).assignment, (KeyCode{0x10, 0x01, 0x00}));
}

TEST_F(RestoreDefaultsButtonTest, CancelledNothingIsWritten) {
    ChangeTheMouse();
    const std::vector<std::uint8_t> keys = DeviceKeyTable();
    const std::size_t keyWrites = Frames(protocol::Command::WriteKeyTable);
    const std::size_t settingsWrites = Frames(protocol::Command::WriteSettings);
    Dialogs().messageAnswers = {0};
    Click("default_btn");

    ASSERT_EQ(Dialogs().asked.size(), 1u);
    EXPECT_EQ(Frames(protocol::Command::WriteKeyTable), keyWrites);
    EXPECT_EQ(Frames(protocol::Command::WriteSettings), settingsWrites);
    EXPECT_EQ(DeviceKeyTable(), keys);
    EXPECT_NE(Mouse().GetReportRateOption(), defaultRate_);
}

}  // namespace
