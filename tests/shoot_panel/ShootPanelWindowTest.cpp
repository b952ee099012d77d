// Editing the recoil patterns in the main window: what a bullet's editors store, how the
// selection moves, and what the save button sends to the emulated mouse.
#include <QLabel>

#include "devices/core/MouseDeviceCore.h"
#include "macros/EventImage.h"
#include "recoil/panel/ShootPatternView.h"
#include "tests/shoot_panel/ShootPanelFixture.h"
#include "ui/LanguageTexts.h"
#include "ui/OptionButton.h"
#include "ui/TabLayout.h"

namespace shoottest {
namespace {

TEST_F(ShootPanelTest, ABulletsEditorsStoreItsSixEvents) {
    ClickGun(2);
    Json::Value document = GunDocument(2);
    document["Comment"] = "kept";  // members the panel does not write survive
    ASSERT_TRUE(CJsonFile().writejsonFile(GunPath(2), document));
    const std::string before = BulletText(2, 2) + "|" + BulletText(2, 4);
    const auto others = AllGunBytes();

    ClickBullet(3);
    SetDirection("bullet_x_check", true);
    SetDirection("bullet_y_check", false);
    TypeAndLeave("bullet_x_eidt", QStringLiteral("2"));
    TypeAndLeave("bullet_y_eidt", QStringLiteral("7"));
    TypeAndLeave("bullet_delay_eidt", QStringLiteral("95"));

    EXPECT_EQ(BulletText(2, 3), "down/1/10/1 up/1/0/1 down/2/5/4 up/7/95/5 down/0/0/4 up/0/0/5");
    EXPECT_EQ(BulletText(2, 2) + "|" + BulletText(2, 4), before);
    EXPECT_EQ(GunDocument(2)["Comment"].asString(), "kept");
    EXPECT_EQ(GunDocument(2)["Events"].size(), 180u);
    for (int gun : {0, 1, 3}) {
        EXPECT_EQ(GunBytes(gun), others[static_cast<std::size_t>(gun)]) << gun;
    }
    EXPECT_EQ(Find<QLabel>(QStringLiteral("bullet_select_index"))->text(), QStringLiteral("4"));
    EXPECT_EQ(Button(QStringLiteral("bullet_x_check"))->text(),
              ui::Text(QStringLiteral("mouse_move_to_left_text")));
    EXPECT_EQ(Button(QStringLiteral("bullet_y_check"))->text(),
              ui::Text(QStringLiteral("mouse_move_to_down_text")));

    // Shown again from the file after visiting another gun.
    ClickGun(0);
    ClickGun(2);
    EXPECT_EQ(Edit("bullet_x_eidt")->text(), QStringLiteral("2"));
    EXPECT_EQ(Edit("bullet_y_eidt")->text(), QStringLiteral("7"));
    EXPECT_EQ(Edit("bullet_delay_eidt")->text(), QStringLiteral("95"));
    EXPECT_TRUE(Button(QStringLiteral("bullet_x_check"))->isChecked());
    EXPECT_FALSE(Button(QStringLiteral("bullet_y_check"))->isChecked());
}

TEST_F(ShootPanelTest, ValuesAreLimitedToWhatTheMouseCanTake) {
    struct Case {
        const char* edit;
        const char* typed;
        int element;  // within the bullet
        int stored;   // its "Button", or "Delay" for the delay edit
        const char* shown;
    };
    const Case cases[] = {
        {"bullet_x_eidt", "300", 2, 255, "255"},
        {"bullet_y_eidt", "256", 3, 255, "255"},
        {"bullet_x_eidt", "0", 2, 0, "0"},
        {"bullet_delay_eidt", "99999", 3, 65535, "65535"},
        {"bullet_delay_eidt", "", 3, 0, "0"},
        {"bullet_y_eidt", "12abc", 3, 12, "12"},  // letters are refused while typing
    };
    ClickBullet(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " <- " + c.typed);
        TypeAndLeave(c.edit, QString::fromLatin1(c.typed));
        const Json::Value event = GunDocument(0)["Events"][10 * 6 + c.element];
        const bool delay = std::string(c.edit) == "bullet_delay_eidt";
        EXPECT_EQ((delay ? event["Delay"] : event["Button"]).asInt(), c.stored);
        EXPECT_EQ(Edit(c.edit)->text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(ShootPanelTest, WithoutAChosenBulletNothingIsWritten) {
    const auto before = AllGunBytes();
    EXPECT_EQ(Panel()->CurrentBullet(), -1);
    EXPECT_FALSE(Find(QStringLiteral("bullet_edit_layout"))->isEnabled());
    Panel()->StoreCurrentBullet();
    Panel()->DirectionChanged();
    EXPECT_EQ(AllGunBytes(), before);
}

TEST_F(ShootPanelTest, PreviousAndNextStopAtTheEnds) {
    struct Case {
        int start;  // -1: none chosen
        const char* button;
        int expected;
    };
    const Case cases[] = {
        {29, "bullet_selected_next", 29}, {0, "bullet_selected_prev", 0},
        {5, "bullet_selected_next", 6},   {5, "bullet_selected_prev", 4},
        {-1, "bullet_selected_next", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " " + c.button);
        if (c.start >= 0) {
            ClickBullet(c.start);
        } else {
            RebuildWindow();
        }
        Click(c.button);
        EXPECT_EQ(Panel()->CurrentBullet(), c.expected);
        EXPECT_EQ(Find<QLabel>(QStringLiteral("bullet_select_index"))->text(),
                  QString::number(c.expected + 1));
        for (int b = 0; b < recoil::kBulletCount; ++b) {
            EXPECT_EQ(Button(QStringLiteral("bullet_op_%1").arg(b))->isChecked(), b == c.expected)
                << b;
        }
    }
}

TEST_F(ShootPanelTest, ChangesAreKeptWhenTheSelectionMovesWithoutLeavingAnEdit) {
    ClickBullet(7);
    Type("bullet_y_eidt", QStringLiteral("42"));
    ClickBullet(8);  // bullet options take no focus: the edit is never left
    EXPECT_EQ(GunDocument(0)["Events"][7 * 6 + 3]["Button"].asInt(), 42);
    EXPECT_EQ(Panel()->CurrentBullet(), 8);

    // Return confirms without leaving the edit.
    Type("bullet_delay_eidt", QStringLiteral("333"));
    QTest::keyClick(Edit("bullet_delay_eidt"), Qt::Key_Return);
    EXPECT_TRUE(Edit("bullet_delay_eidt")->hasFocus());
    EXPECT_EQ(GunDocument(0)["Events"][8 * 6 + 3]["Delay"].asInt(), 333);

    // A flipped direction is stored at once.
    const bool wasLeft = Button(QStringLiteral("bullet_x_check"))->isChecked();
    Click("bullet_x_check");
    EXPECT_EQ(GunDocument(0)["Events"][8 * 6 + 2]["Action"].asString(), wasLeft ? "up" : "down");
    EXPECT_EQ(GunDocument(0)["Events"][8 * 6 + 4]["Action"].asString(), wasLeft ? "up" : "down");
}

TEST_F(ShootPanelTest, SaveSendsTheFourPatternsToTheMouse) {
    ClickBullet(0);
    SetDirection("bullet_x_check", true);
    SetDirection("bullet_y_check", false);
    TypeAndLeave("bullet_x_eidt", QStringLiteral("2"));
    TypeAndLeave("bullet_y_eidt", QStringLiteral("7"));
    Type("bullet_delay_eidt", QStringLiteral("300"));  // still in the edit when saving
    rig_->mouse->Firmware().ClearLog();

    Click("shootdate_save_btn");

    EXPECT_EQ(GunDocument(0)["Events"][3]["Delay"].asInt(), 300);
    std::vector<std::uint8_t> commands;
    for (const sim::FrameBytes& frame : rig_->mouse->Firmware().ReceivedFrames()) {
        commands.push_back(frame[3]);
    }
    const auto write = static_cast<std::uint8_t>(protocol::Command::WriteShootData);
    const auto begin = std::find(commands.begin(), commands.end(),
                                 static_cast<std::uint8_t>(protocol::Command::BeginSession));
    ASSERT_NE(begin, commands.end());
    const auto firstWrite = std::find(begin, commands.end(), write);
    ASSERT_NE(firstWrite, commands.end());
    const auto end = std::find(firstWrite, commands.end(),
                               static_cast<std::uint8_t>(protocol::Command::EndSession));
    ASSERT_NE(end, commands.end());
    EXPECT_TRUE(std::all_of(firstWrite, end, [&](std::uint8_t c) { return c == write; }));

    const sim::FirmwareMemory memory = rig_->mouse->Firmware().Memory();
    ASSERT_EQ(memory.shoot.state(), sim::ImageArea::State::Complete);
    const std::vector<std::uint8_t>& image = memory.shoot.bytes();
    ASSERT_EQ(image.size(), 16u + 6 * 4 + 4 * 180 * 4);
    EXPECT_EQ(std::count(firstWrite, end, write), static_cast<long>((image.size() + 55) / 56));
    EXPECT_EQ(memory.shoot.RecordEventCounts(), (std::vector<std::uint16_t>{180, 180, 180, 180}));
    const std::size_t gun0 = image[16] | (image[17] << 8);
    const std::vector<std::uint8_t> bullet0(image.begin() + static_cast<long>(gun0) + 4,
                                            image.begin() + static_cast<long>(gun0) + 4 + 24);
    // press 10 ms, release, 2 left after 5 ms, 7 down after 300 ms, the two zero moves
    const std::vector<std::uint8_t> expected = {
        10,   0, 0x81, 1, 0, 0, 0x01, 1, 5, 0, 0x84, 2,
        0x2C, 1, 0x05, 7, 0, 0, 0x84, 0, 0, 0, 0x05, 0,
    };
    EXPECT_EQ(bullet0, expected);
    EXPECT_EQ(image, Panel()->Data().BuildShootImage());
}

TEST_F(ShootPanelTest, ASendTheMouseRefusesIsReportedAndTheFilesKeepThePattern) {
    ClickBullet(2);
    TypeAndLeave("bullet_x_eidt", QStringLiteral("5"));
    const std::size_t asked = Dialogs().asked.size();
    Click("shootdate_save_btn");
    EXPECT_EQ(Dialogs().asked.size(), asked);  // a good send says nothing

    sim::Fault refuse;
    refuse.kind = sim::FaultKind::Status;
    refuse.command = static_cast<std::uint8_t>(protocol::Command::WriteShootData);
    refuse.status = 0xFF;
    rig_->mouse->Firmware().InjectFault(refuse);
    TypeAndLeave("bullet_x_eidt", QStringLiteral("6"));
    Click("shootdate_save_btn");
    ASSERT_EQ(Dialogs().asked.size(), asked + 1);
    EXPECT_EQ(Dialogs().asked.back().text, QStringLiteral("shoot_send_failed_text"));
    EXPECT_EQ(GunDocument(0)["Events"][2 * 6 + 2]["Button"].asInt(), 6);
}

TEST_F(ShootPanelTest, ThePictureFollowsTheGunAndThePlotPicksBullets) {
    auto* pictures = Find<ui::TabLayout>(QStringLiteral("shoot_image_display_switch"));
    ASSERT_NE(pictures, nullptr);
    for (int gun : {3, 1, 0}) {
        ClickGun(gun);
        EXPECT_EQ(pictures->CurrentSel(), gun);
        EXPECT_EQ(Panel()->CurrentGun(), gun);
        for (int g = 0; g < recoil::kGunCount; ++g) {
            EXPECT_EQ(Button(QStringLiteral("shoot_gun_op_%1").arg(g))->isChecked(), g == gun);
        }
    }
    auto* plot = Find<shootpanel::CShootPatternView>(QStringLiteral("shoot_pattern_view_0"));
    ASSERT_NE(plot, nullptr);
    ClickBullet(12);
    EXPECT_EQ(plot->CurrentBullet(), 12);
    QTest::mouseClick(plot, Qt::LeftButton, {}, plot->BulletPoint(20).toPoint());
    EXPECT_EQ(Panel()->CurrentBullet(), 20);
    EXPECT_TRUE(Button(QStringLiteral("bullet_op_20"))->isChecked());
}

TEST(ShootPatternTrack, LeftAndUpAreNegative) {
    using recoil::BulletValues;
    const std::vector<QPoint> track = shootpanel::CShootPatternView::Track(
        {BulletValues{true, 3, false, 5, 0}, BulletValues{false, 1, true, 2, 0}});
    EXPECT_EQ(track, (std::vector<QPoint>{{0, 0}, {-3, 5}, {-2, 3}}));
}

}  // namespace
}  // namespace shoottest
