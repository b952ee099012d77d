#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

#include <QLabel>
#include <QProgressBar>

#include "appearance/AppearanceControls.h"
#include "appearance/ComboEditContainerElementUI.h"
#include "appearance/ControlPictures.h"
#include "appearance/DeviceEntryPictures.h"
#include "appearance/DeviceOptionUI.h"
#include "appearance/MpDevicePowerUI.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/LayoutLoader.h"
#include "ui/OptionButton.h"
#include "ui/SkinResources.h"

namespace {

using namespace appearance;

// The skin's own layouts of the custom controls, built as the main window builds them.
class SkinLayoutsTest : public testsupport::UiTest {
protected:
    template <class T>
    std::unique_ptr<T> Build(const char* file) {
        ui::LoaderConfig config;
        config.tables.push_back(AppearanceControlTable());
        QString error;
        QWidget* root = ui::BuildLayout(QLatin1String(file), nullptr, config, &error);
        EXPECT_NE(root, nullptr) << error.toStdString();
        auto* typed = qobject_cast<T*>(root);
        EXPECT_NE(typed, nullptr) << file;
        if (typed == nullptr) {
            delete root;
        }
        return std::unique_ptr<T>(typed);
    }
};

TEST_F(SkinLayoutsTest, BatteryIndicatorShowsACharging30PercentRecord) {
    auto power = Build<CMpDevicePowerUI>("XML/CustomControlXML/MpDevicePower.xml");
    ASSERT_NE(power, nullptr);
    power->SetDeviceKind(2);
    std::array<std::uint8_t, 64> record{};
    record[0] = 30;
    record[1] = 1;
    ASSERT_TRUE(power->ApplyStatusRecord(record.data(), record.size()));
    auto* value = power->findChild<QLabel*>(QStringLiteral("device_power_value"));
    auto* progress = power->findChild<QProgressBar*>(QStringLiteral("device_Power_progress"));
    auto* status = power->findChild<QLabel*>(QStringLiteral("device_power_status"));
    ASSERT_TRUE(value && progress && status);
    EXPECT_EQ(value->text(), QStringLiteral("30%"));
    EXPECT_EQ(progress->value(), 70);
    EXPECT_EQ(status->property(kBackgroundImageProperty).toString(),
              QStringLiteral("file='power/powering.png'"));
    EXPECT_FALSE(status->pixmap().isNull());  // the charging picture is in the skin
}

TEST_F(SkinLayoutsTest, DeviceEntryHasAPictureForEveryKind) {
    auto entry = Build<CDeviceOptionUI>("XML/CustomControlXML/DeviceOption.xml");
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->SelectOption(), nullptr);
    ASSERT_NE(entry->SynchroOption(), nullptr);
    const std::pair<int, int> kinds[] = {{1, 0}, {2, 0}, {3, 0}, {3, 1}, {7, 0}, {5, 0}, {9, 0}};
    for (const auto& [kind, sub] : kinds) {
        SCOPED_TRACE(testing::Message() << kind << "/" << sub);
        entry->SetDeviceKind(kind, sub);
        const DeviceEntryPictures& p = entry->Pictures();
        for (const QString& picture :
             {p.normalImage, p.selectedImage, p.synchroNormalImage, p.synchroSelectedImage}) {
            EXPECT_FALSE(ui::LoadPicture(picture).isNull()) << picture.toStdString();
        }
        EXPECT_NE(entry->SelectOption()->toolTip(), p.tipTextId);  // resolved, not the id
    }
}

TEST_F(SkinLayoutsTest, MacroActionRowFindsItsParts) {
    CComboEditContainerElementUI row;
    EXPECT_NE(row.Text1(), nullptr);
    EXPECT_NE(row.Text2(), nullptr);
    EXPECT_NE(row.DelayEdit(), nullptr);
}

}  // namespace
