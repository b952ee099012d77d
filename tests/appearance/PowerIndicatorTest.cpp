#include <gtest/gtest.h>

#include <memory>

#include <array>
#include <cstdint>

#include <QLabel>
#include <QProgressBar>

#include "appearance/ControlPictures.h"
#include "appearance/MpDevicePowerUI.h"
#include "appearance/PowerRecord.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using appearance::CMpDevicePowerUI;
using appearance::DecodePowerRecord;

std::array<std::uint8_t, 64> Record(std::uint8_t percent, std::uint8_t charge,
                                    std::uint8_t wireless = 0, std::uint8_t phone = 0) {
    std::array<std::uint8_t, 64> r{};
    r[0] = percent;
    r[1] = charge;
    r[3] = wireless;
    r[5] = phone;
    return r;
}

TEST(PowerRecordTest, ChargeStateChoosesPictureAndBar) {
    struct Case {
        int kind;
        std::uint8_t charge, wireless;
        std::optional<bool> progressVisible;
        std::optional<QString> image;
    };
    const Case cases[] = {
        {2, 0, 0, true, QStringLiteral("file='power/powered.png'")},
        {2, 1, 0, true, QStringLiteral("file='power/powering.png'")},
        {2, 1, 1, false, QStringLiteral("file='power/wuxian_powering.png'")},
        {2, 2, 1, true, QStringLiteral("file='power/power.png'")},
        {2, 7, 0, std::nullopt, std::nullopt},  // unknown states change nothing
        {3, 1, 0, true, QStringLiteral("file='power/powering.png'")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " charge " << int(c.charge)
                                        << " wireless " << int(c.wireless));
        const auto record = Record(30, c.charge, c.wireless);
        const auto display = DecodePowerRecord(c.kind, record.data(), record.size());
        EXPECT_EQ(display.progressVisible, c.progressVisible);
        EXPECT_EQ(display.statusImage, c.image);
    }
}

TEST(PowerRecordTest, WirelessLogoOnlyForTheMouseAndPhoneOnlyForThePad) {
    const auto wireless = Record(80, 0, 1, 2);
    const auto mouse = DecodePowerRecord(2, wireless.data(), wireless.size());
    EXPECT_EQ(mouse.wirelessLogoVisible, true);
    EXPECT_FALSE(mouse.phoneTip.has_value());
    const auto pad = DecodePowerRecord(3, wireless.data(), wireless.size());
    EXPECT_FALSE(pad.wirelessLogoVisible.has_value());
    EXPECT_EQ(pad.phoneTip, QStringLiteral("Phone_type_samsung"));
    EXPECT_EQ(pad.phoneImage, QStringLiteral("file='power/Phone_type_samsung.png'"));

    const std::pair<std::uint8_t, const char*> phones[] = {{0, "Phone_type_no_device"},
                                                           {1, "Phone_type_iphone"},
                                                           {3, "Phone_type_other"},
                                                           {9, "Phone_type_no_device"}};
    for (const auto& [phone, tip] : phones) {
        const auto record = Record(80, 0, 0, phone);
        EXPECT_EQ(DecodePowerRecord(3, record.data(), record.size()).phoneTip, QLatin1String(tip));
    }
}

TEST(PowerRecordTest, ShortRecordIsZeroPaddedAndPercentIsBounded) {
    const std::uint8_t shortRecord[] = {45};
    const auto display = DecodePowerRecord(2, shortRecord, sizeof shortRecord);
    EXPECT_EQ(display.valueText, QStringLiteral("45%"));
    EXPECT_EQ(display.progressValue, 55);
    EXPECT_EQ(display.wirelessLogoVisible, false);
    EXPECT_EQ(display.statusImage, QStringLiteral("file='power/powered.png'"));

    const std::uint8_t garbage[] = {250, 1};
    const auto bounded = DecodePowerRecord(2, garbage, sizeof garbage);
    EXPECT_EQ(bounded.valueText, QStringLiteral("100%"));
    EXPECT_EQ(bounded.progressValue, 0);

    const auto none = DecodePowerRecord(2, nullptr, 64);
    EXPECT_EQ(none.valueText, QStringLiteral("0%"));
}

class PowerIndicatorTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        window_ = std::make_unique<testsupport::RecordingWindow>();
        power_ = new CMpDevicePowerUI(window_.get());
        power_->setObjectName(QStringLiteral("device_power"));
        layout_ = Add<QWidget>("device_power_Layout", power_);
        value_ = Add<QLabel>("device_power_value", layout_);
        logo_ = Add<QLabel>("device_wuxian_logo", layout_);
        progress_ = Add<QProgressBar>("device_Power_progress", layout_);
        status_ = Add<QLabel>("device_power_status", layout_);
        phone_ = Add<QLabel>("device_phone_type", layout_);
        window_->show();
    }

    template <class T>
    T* Add(const char* name, QWidget* parent) {
        auto* w = new T(parent);
        w->setObjectName(QLatin1String(name));
        return w;
    }

    std::unique_ptr<testsupport::RecordingWindow> window_;
    CMpDevicePowerUI* power_ = nullptr;
    QWidget* layout_ = nullptr;
    QLabel* value_ = nullptr;
    QLabel* logo_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* phone_ = nullptr;
};

TEST_F(PowerIndicatorTest, ThirtyPercentChargingShowsTextBarAndChargingPicture) {
    power_->SetDeviceKind(2);
    const auto record = Record(30, 1);
    ASSERT_TRUE(power_->ApplyStatusRecord(record.data(), record.size()));
    EXPECT_EQ(value_->text(), QStringLiteral("30%"));
    EXPECT_EQ(progress_->value(), 70);
    EXPECT_FALSE(progress_->isHidden());
    EXPECT_EQ(status_->property(appearance::kBackgroundImageProperty).toString(),
              QStringLiteral("file='power/powering.png'"));
    EXPECT_TRUE(logo_->isHidden());

    const auto wireless = Record(30, 1, 1);
    power_->ApplyStatusRecord(wireless.data(), wireless.size());
    EXPECT_TRUE(progress_->isHidden());
    EXPECT_FALSE(logo_->isHidden());
    EXPECT_EQ(status_->property(appearance::kBackgroundImageProperty).toString(),
              QStringLiteral("file='power/wuxian_powering.png'"));
}

TEST_F(PowerIndicatorTest, PadShowsItsPhoneWithTheLanguageTip) {
    power_->SetDeviceKind(3);
    const auto record = Record(90, 0, 0, 1);
    ASSERT_TRUE(power_->ApplyStatusRecord(record.data(), record.size()));
    EXPECT_EQ(phone_->property("toolTipId").toString(), QStringLiteral("Phone_type_iphone"));
    EXPECT_EQ(phone_->property(appearance::kBackgroundImageProperty).toString(),
              QStringLiteral("file='power/Phone_type_iphone.png'"));
}

TEST_F(PowerIndicatorTest, MissingPartChangesNothingAndIndicatorHides) {
    delete phone_;
    const auto record = Record(30, 1);
    EXPECT_FALSE(power_->ApplyStatusRecord(record.data(), record.size()));
    EXPECT_NE(value_->text(), QStringLiteral("30%"));

    power_->ShowIndicator(false);
    EXPECT_TRUE(layout_->isHidden());
    power_->ShowIndicator(true);
    EXPECT_FALSE(layout_->isHidden());
}

TEST_F(PowerIndicatorTest, ActivationNotifiesSelectChanged) {
    power_->Activate();
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"), QStringLiteral("device_power")).size(),
              1u);
}

}  // namespace
