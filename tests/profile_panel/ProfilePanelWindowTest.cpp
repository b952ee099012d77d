// The profile panel in the assembled main window over the emulated mouse: its buttons and the
// drop-down list reach it through the window's routing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "app/MainWnd.h"
#include "app/MainWndAssembly.h"
#include "app/discovery/DeviceSwitcher.h"
#include "devices/core/MouseDeviceCore.h"
#include "hid/HidBackend.h"
#include "profiles/DataFolders.h"
#include "profiles/JsonFile.h"
#include "protocol/CommandCodes.h"
#include "sim/SimulatedMouseRig.h"
#include "tests/support/ui/MainWindowTest.h"
#include "ui/TabLayout.h"

namespace {

class ProfilePanelWindowTest : public testsupport::MainWindowTest {
protected:
    devices::CUsbDeviceCore& Core() const { return switcher_->CurrentDevice()->Core(); }
    template <class T = QWidget>
    T* Find(const char* name) const {
        return window_->FindControl<T>(QString::fromLatin1(name));
    }
};

// "+" makes the new profile the selected one in the list file; the drop-down shows it, and the
// mouse takes it after the rest any choice in the drop-down has.
TEST_F(ProfilePanelWindowTest, ANewProfileIsSelectedAndReachesTheMouseAfterTheSwitchDelay) {
    auto* combo = Find<QComboBox>("device_profile_combo");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 1);
    const std::string first = Core().GetProfileId();
    EXPECT_FALSE(first.empty());

    std::size_t writes = Frames(protocol::Command::WriteSettings);
    QTest::mouseClick(Find<QAbstractButton>("device_add_btn"), Qt::LeftButton);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(Find<QLineEdit>("device_profile_name_edit")->text(), combo->itemText(1));
    const Json::Value list =
        CJsonFile().readjsonValue(datafolders::GetDeviceDataFolder("mouse") + "ProfileList.ini");
    EXPECT_EQ(list["profileselect"].asInt(), 1);
    const std::string added = list["profilelist"][1]["profileUUID"].asString();
    EXPECT_EQ(Core().GetProfileId(), first);  // not before the rest
    ASSERT_TRUE(QTest::qWaitFor([&] { return Core().GetProfileId() == added; }, kWaitMs));
    EXPECT_GT(Frames(protocol::Command::WriteSettings), writes);

    // Choosing the first one again switches back the same way.
    writes = Frames(protocol::Command::WriteSettings);
    combo->setCurrentIndex(0);
    Q_EMIT combo->activated(0);
    EXPECT_EQ(Core().GetProfileId(), added);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Core().GetProfileId() == first; }, kWaitMs));
    EXPECT_GT(Frames(protocol::Command::WriteSettings), writes);
}

TEST_F(ProfilePanelWindowTest, TheSystemTabShowsTheDpiPage) {
    auto* tab = Find<QAbstractButton>("system_Op_tab");
    ASSERT_NE(tab, nullptr);
    QTest::mouseClick(tab, Qt::LeftButton);
    EXPECT_EQ(Find<ui::TabLayout>("device_function_switch")->CurrentSel(), 3);
    EXPECT_TRUE(tab->isChecked());
    EXPECT_FALSE(Find<QAbstractButton>("deng_Op_tab")->isChecked());
}

}  // namespace
