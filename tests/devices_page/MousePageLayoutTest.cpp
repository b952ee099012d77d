#include <gtest/gtest.h>

#include <QLabel>

#include "appearance/DeviceKeyButtonUI.h"
#include "tests/devices_page/MousePageHarness.h"
#include "ui/ControlClass.h"
#include "ui/LanguageTexts.h"

namespace {

using testsupport::MousePageTest;

// Every control the mouse page's code and the main window's routing name, with the class the
// binding loops and routing expect.
TEST_F(MousePageTest, LayoutHoldsEveryNamedControl) {
    struct Expected {
        QString name;
        QString className;
    };
    std::vector<Expected> expected = {
        {QStringLiteral("mouse_device_page"), QStringLiteral("ZelvaneMouseDevice")},
        {QStringLiteral("mouse_device_seting_layout"), QStringLiteral("TabLayout")},
        {QStringLiteral("mouse_option_layout"), QStringLiteral("HorizontalLayout")},
        {QStringLiteral("mouse_device_key_panel"), QStringLiteral("SelectPanel")},
        {QStringLiteral("mouse_device_key_light"), QStringLiteral("SelectPanel")},
        {QStringLiteral("device_function_switch"), QStringLiteral("TabLayout")},
        {QStringLiteral("device_key_function_switch"), QStringLiteral("TabLayout")},
        {QStringLiteral("device_setkeyinfo_list"), QStringLiteral("List")},
        {QStringLiteral("pointer_speed_slider"), QStringLiteral("Slider")},
        {QStringLiteral("scroll_speed_slider"), QStringLiteral("Slider")},
        {QStringLiteral("double_click_slider"), QStringLiteral("Slider")},
        {QStringLiteral("light_0_0"), QStringLiteral("DeviceKeyButton")},
        {QStringLiteral("light_0_1"), QStringLiteral("DeviceKeyButton")},
    };
    for (int i = 0; i < 8; ++i) {
        expected.push_back({QStringLiteral("key_%1").arg(i), QStringLiteral("DeviceKeyButton")});
    }
    for (int i = 0; i < 4; ++i) {
        expected.push_back({QStringLiteral("DPI_slider_%1").arg(i), QStringLiteral("Slider")});
        expected.push_back({QStringLiteral("DPI_edit_%1").arg(i), QStringLiteral("Edit")});
    }
    for (int i = 0; i < 5; ++i) {
        expected.push_back(
            {QStringLiteral("polling_rate_option_%1").arg(i), QStringLiteral("OptionUI")});
    }
    for (int i = 0; i < 2; ++i) {
        expected.push_back(
            {QStringLiteral("mouse_device_seting_option_%1").arg(i), QStringLiteral("OptionUI")});
    }
    for (const Expected& e : expected) {
        QWidget* w = Control<QWidget>(e.name);
        ASSERT_NE(w, nullptr) << e.name.toStdString();
        EXPECT_EQ(ui::ControlClass(w), e.className) << e.name.toStdString();
    }
    // Names the routing only needs to find.
    for (const char* name :
         {"pointer_precision_check", "scrolls_page_check", "DPI_layout_0", "DPI_enable_check_3",
          "mouse_device_seting_layout", "DeviceProfileItem", "LightControlItem",
          "KeySetControlItem", "MacroControlItem", "ShootControlItem"}) {
        EXPECT_NE(Control<QWidget>(name), nullptr) << name;
    }
    // The report-rate labels, in option order (the title carries the unit, so they fit).
    const char* rates[] = {"125", "250", "500", "1000", "2000"};
    for (int i = 0; i < 5; ++i) {
        auto* option = Control<QAbstractButton>(QStringLiteral("polling_rate_option_%1").arg(i));
        EXPECT_EQ(option->text(), QString::fromLatin1(rates[i]));
    }
}

TEST_F(MousePageTest, EveryCaptionAndTooltipIsALanguageText) {
    for (QWidget* w : page_->findChildren<QWidget*>()) {
        for (const char* property : {ui::kTextIdProperty, ui::kToolTipIdProperty}) {
            const QString id = w->property(property).toString();
            if (!id.isEmpty()) {
                EXPECT_NE(ui::Text(id), id) << "no text for " << id.toStdString() << " of "
                                            << w->objectName().toStdString();
            }
        }
    }
}

TEST_F(MousePageTest, TheMousePictureLiesUnderTheKeysWithoutTakingClicks) {
    auto* picture = Control<QLabel>("mouse_device_key_panel_picture");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
    // Each key's centre hits its own button.
    QWidget* panel = Control<QWidget>("mouse_device_key_panel");
    for (auto* key : page_->KeyButtons()) {
        const QPoint centre = key->geometry().center();
        EXPECT_EQ(panel->childAt(centre), static_cast<QWidget*>(key))
            << key->objectName().toStdString();
    }
}

}  // namespace
