#include <gtest/gtest.h>

#include <QWidget>
#include <array>
#include <memory>

#include "app/routing/MainWindowControls.h"
#include "devices/page/ZelvaneMouseDevice.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/ControlClass.h"

namespace {

QWidget* MakePage(QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setObjectName(QStringLiteral("made_page"));
    return page;
}

constexpr std::array kPageClasses{
    ui::ControlFactoryEntry{"ZelvaneMouseDevice", "ZelvaneMouseDevice", &MakePage},
    ui::ControlFactoryEntry{"SomethingElse", "SomethingElse", &MakePage},
};

TEST(MainWindowControls, CustomControlsAndPagesAreMadeByElementName) {
    testsupport::UiApplication();
    QWidget parent;
    struct Case {
        const char* element;
        const char* expectedClass;  // nullptr: no control
    };
    const Case cases[] = {
        {"SelectPanel", "SelectPanel"},
        {"DeviceKeyButton", "DeviceKeyButton"},
        {"CircleProgress", "CircleProgress"},
        {"RedioMacroButton", "RedioMacroButton"},
        {"ComboEditContainerElement", "ComboEditContainerElement"},
        {"ZelvaneMouseDevice", "ZelvaneMouseDevice"},
        {"ZelvaneKeyboardDevice", nullptr},  // its class is not supplied
        {"SomethingElse", nullptr},          // supplied, but not a main-window element
        {"CSelectPanelUI", nullptr},         // factory names are not short element names
        {"Button", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        std::unique_ptr<QWidget> made(routing::CreateMainWindowControl(
            QString::fromLatin1(c.element), &parent, kPageClasses));
        if (c.expectedClass == nullptr) {
            EXPECT_EQ(made, nullptr);
            continue;
        }
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(ui::ControlClass(made.get()), QString::fromLatin1(c.expectedClass));
        EXPECT_EQ(made->parent(), &parent);
    }
}

TEST(MainWindowControls, PanelElementsAreReplacedByTheirLayoutFiles) {
    const auto table = devices::page::PanelLayoutElements();
    ASSERT_EQ(table.size(), 8u);
    EXPECT_STREQ(table[0].element, "DeviceProfileUI");
    EXPECT_STREQ(table[0].layoutFile, "XML/CustomControlXML/DeviceProfile.xml");
    EXPECT_STREQ(table[6].element, "ShootKeySetControlUI");
    EXPECT_STREQ(table[6].layoutFile, "XML/CustomControlXML/ShootControl.xml");
    EXPECT_STREQ(table[7].layoutFile, "XML/CustomControlXML/VirtualSet.xml");
}

}  // namespace
