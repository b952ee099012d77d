#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "appearance/ActivatableListItemUI.h"
#include "appearance/AppearanceControls.h"
#include "appearance/CircleProgressUI.h"
#include "appearance/ComboEditContainerElementUI.h"
#include "appearance/DeviceKeyButtonUI.h"
#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LayoutLoader.h"
#include "ui/SkinResources.h"

namespace {

using namespace appearance;

class ControlTableTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        testsupport::UiTest::SetUp();
        skin_ = QString::fromStdString(testsupport::MakeTempDir("controlskin"));
        ui::SetSkinFolderForTesting(skin_);
    }

    void WriteSkinFile(const QString& name, const QByteArray& text) {
        const QString path = skin_ + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    ui::LoaderConfig Config() const {
        ui::LoaderConfig config;
        config.tables.push_back(AppearanceControlTable());
        return config;
    }

    QString skin_;
};

TEST_F(ControlTableTest, EveryEntryMakesAControlReportingItsClass) {
    const ui::ControlTable table = AppearanceControlTable();
    ASSERT_FALSE(table.empty());
    // The factory names come first, in registration order.
    const char* order[] = {"CCircleProgressUI",
                           "CChartViewUI",
                           "CWndUI",
                           "CSelectPanelUI",
                           "CDeviceKeyButtonUI",
                           "CCloudShareListItemUI",
                           "CUpdateInfoListItemUI",
                           "CDeviceOptionUI",
                           "CMpDevicePowerUI",
                           "CComboEditContainerElementUI",
                           "CHandImgButtonUI",
                           "CHandImgSelectButtonUI",
                           "CRedioMacroButtonUI"};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_STREQ(table[i].element, order[i]);
    }
    for (const ui::ControlFactoryEntry& entry : table) {
        SCOPED_TRACE(entry.element);
        std::unique_ptr<QWidget> control(entry.create(nullptr));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ui::ControlClass(control.get()), QLatin1String(entry.className));
    }
}

TEST_F(ControlTableTest, LayoutBuildsControlsWithTheirAttributes) {
    WriteSkinFile(QStringLiteral("page.xml"), R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QWidget" name="page">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>200</height></rect></property>
  <widget class="CSelectPanelUI" name="select_panel">
   <property name="geometry"><rect><x>0</x><y>0</y><width>200</width><height>200</height></rect></property>
   <widget class="DeviceKeyButton" name="key_0">
    <property name="geometry"><rect><x>10</x><y>10</y><width>30</width><height>30</height></rect></property>
    <property name="lightimage"><string>light/key0.png</string></property>
    <property name="keysetimage"><string>mark.png</string></property>
    <property name="gmnametextcolor"><color><red>255</red><green>0</green><blue>0</blue></color></property>
   </widget>
   <widget class="CDeviceKeyButtonUI" name="Light_1">
    <property name="geometry"><rect><x>50</x><y>10</y><width>30</width><height>30</height></rect></property>
   </widget>
  </widget>
  <widget class="CircleProgress" name="battery_ring">
   <property name="geometry"><rect><x>210</x><y>10</y><width>80</width><height>80</height></rect></property>
   <property name="forecolor"><color><red>61</red><green>220</green><blue>132</blue></color></property>
   <property name="value"><number>40</number></property>
  </widget>
 </widget>
</ui>
)");
    QString error;
    std::unique_ptr<QWidget> page(
        ui::BuildLayout(QStringLiteral("page.xml"), nullptr, Config(), &error));
    ASSERT_NE(page, nullptr) << error.toStdString();
    QWidget* panel = ui::FindControl(page.get(), QStringLiteral("select_panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(ui::ControlClass(panel), QStringLiteral("SelectPanel"));
    EXPECT_EQ(ui::ChildrenOfClass(panel, QStringLiteral("DeviceKeyButton")).size(), 2);
    auto* key = ui::FindControlAs<CDeviceKeyButtonUI>(page.get(), QStringLiteral("key_0"));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->LightImage(), QStringLiteral("light/key0.png"));
    EXPECT_EQ(key->KeySetImage(), QStringLiteral("mark.png"));
    auto* ring = ui::FindControlAs<CCircleProgressUI>(page.get(), QStringLiteral("battery_ring"));
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->ForegroundColour(), QColor(61, 220, 132));
    EXPECT_EQ(ring->value(), 40);
}

TEST_F(ControlTableTest, ComboEditRowBuildsItsContentAndReportsItsEvents) {
    WriteSkinFile(QLatin1String(CComboEditContainerElementUI::kContentLayout),
                  R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QWidget" name="row_content">
  <layout class="QHBoxLayout" name="row_box">
   <item><widget class="QLabel" name="text1"><property name="text"><string>Key A</string></property></widget></item>
   <item><widget class="QLabel" name="text2"><property name="text"><string>down</string></property></widget></item>
   <item><widget class="QLineEdit" name="delay_edit"/></item>
  </layout>
 </widget>
</ui>
)");
    testsupport::RecordingWindow window;
    auto* list = new ui::ListContainer(&window);
    list->setObjectName(QStringLiteral("macro_action_list"));
    list->setGeometry(0, 0, 300, 200);
    auto* row = new CComboEditContainerElementUI;
    row->setObjectName(QStringLiteral("action_row"));
    list->Add(row);
    auto* other = new CComboEditContainerElementUI;
    other->setObjectName(QStringLiteral("action_row_2"));
    list->Add(other);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ASSERT_NE(row->Text1(), nullptr);
    ASSERT_NE(row->Text2(), nullptr);
    ASSERT_NE(row->DelayEdit(), nullptr);

    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(row->IsSelected());
    EXPECT_TRUE(row->SawSelectChanged());
    EXPECT_EQ(window.Of(QStringLiteral("itemclick"), QStringLiteral("action_row")).size(), 1u);

    // Ctrl adds the second row and removes it again, leaving the first selected.
    QTest::mouseClick(other, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_TRUE(other->IsSelected());
    EXPECT_TRUE(row->IsSelected());
    QTest::mouseClick(other, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_FALSE(other->IsSelected());

    row->setFocus();
    QTest::keyClick(row, Qt::Key_Return);
    EXPECT_TRUE(row->SawReturn());
    EXPECT_EQ(window.Of(QStringLiteral("return"), QStringLiteral("action_row")).size(), 1u);
    EXPECT_EQ(window.Of(QStringLiteral("itemactivate"), QStringLiteral("action_row")).size(), 1u);

    row->setEnabled(false);
    EXPECT_FALSE(row->Activate());
}

TEST_F(ControlTableTest, ComboEditRowWithoutItsLayoutStaysEmpty) {
    CComboEditContainerElementUI row;
    EXPECT_EQ(row.Text1(), nullptr);
    EXPECT_EQ(row.DelayEdit(), nullptr);
    EXPECT_FALSE(row.EnsureContent());
}

TEST_F(ControlTableTest, UpdateRowActivatesAndAsksForItsMenu) {
    testsupport::RecordingWindow window;
    auto* list = new ui::ListContainer(&window);
    list->setGeometry(0, 0, 300, 200);
    list->setProperty(ActivatableListItemUI::kHotBorderProperty, QColor(0x00, 0x99, 0xFF));
    auto* row = new CUpdateInfoListItemUI;
    row->setObjectName(QStringLiteral("update_row"));
    row->setMinimumHeight(40);
    list->Add(row);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseDClick(row, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_GE(window.Of(QStringLiteral("itemactivate"), QStringLiteral("update_row")).size(), 1u);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), row->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(row, &menu);
    EXPECT_EQ(window.Of(QStringLiteral("menu"), QStringLiteral("update_row")).size(), 1u);
}

}  // namespace
