// The profile panel on the mouse page over the emulated mouse.
#include <QTest>
#include <filesystem>

#include "app/routing/RouteTables.h"
#include "profiles/DataFolders.h"
#include "profiles/panel/DeviceProfileUI.h"
#include "tests/devices_page/MousePageHarness.h"
#include "ui/ListContainer.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace testsupport {
namespace {

using ProfilePanelPageTest = MousePageTest;

TEST_F(ProfilePanelPageTest, AFreshDataFolderGetsAListAndTheMouseItsProfile) {
    const std::string folder = datafolders::GetDeviceDataFolder("mouse");
    std::filesystem::remove(ProfilePath());  // a first start: no profile of any name
    page_->LoadProfilePanel();
    profilepanel::CDeviceProfileUI* panel = page_->ProfilePanel();
    ASSERT_NE(panel, nullptr);
    const Json::Value list = CJsonFile().readjsonValue(folder + "ProfileList.ini");
    ASSERT_EQ(list["profilelist"].size(), 1u);
    const std::string id = list["profilelist"][0]["profileUUID"].asString();
    EXPECT_EQ(panel->GetCurrentProfileId().toStdString(), id);
    EXPECT_EQ(page_->Core().GetProfileId(), id);
    const Json::Value profile = CJsonFile().readjsonValue(folder + id + ".Json");
    EXPECT_EQ(profile["profilename"].asString(), "profile1");
    EXPECT_TRUE(profile["Device"].isArray());

    OpenDevice();
    auto* list8 = Control<ui::ListContainer>("device_setkeyinfo_list");
    ASSERT_NE(list8, nullptr);
    EXPECT_EQ(list8->Count(), 8);
}

// "system_Op_tab" is routed to the page's function mode and then to the panel's tab.
TEST_F(ProfilePanelPageTest, TheSystemTabShowsTheDpiPage) {
    page_->LoadProfilePanel();
    const auto route = routing::FindRoute("selectchanged", "system_Op_tab");
    ASSERT_TRUE(route.has_value());
    page_->SetFunctionMode(route->entry->argument);
    page_->ProfilePanel()->SelectTab(route->entry->argument);
    RunEventLoopFor(20);
    EXPECT_EQ(Control<ui::TabLayout>("device_function_switch")->CurrentSel(), 3);
    EXPECT_TRUE(Control<ui::OptionButton>("system_Op_tab")->IsSelected());
    EXPECT_FALSE(Control<ui::OptionButton>("deng_Op_tab")->IsSelected());
    EXPECT_TRUE(Control<QWidget>("DPI_slider_0")->isVisible());
}

}  // namespace
}  // namespace testsupport
