// The recoil panel's files: the factory patterns restored when a gun's file is lost, import,
// export and reset, each touching only the current gun.
#include <filesystem>

#include "tests/shoot_panel/ShootPanelFixture.h"

namespace shoottest {
namespace {

using testsupport::ReadFile;
using testsupport::WriteFile;

TEST_F(ShootPanelTest, ALostGunFileIsTheFactoryPatternAtTheNextStart) {
    ClickGun(0);
    ClickBullet(1);
    TypeAndLeave("bullet_x_eidt", QStringLiteral("77"));  // gun 0 is the user's own now
    const std::string gun0 = GunBytes(0);
    const std::string gun3 = GunBytes(3);
    std::filesystem::remove(GunPath(2));
    WriteFile(GunPath(1), "{ broken");

    RebuildWindow();

    EXPECT_EQ(GunBytes(2), ReadFile(DefaultPath(2)));
    EXPECT_EQ(GunBytes(1), ReadFile(DefaultPath(1)));
    EXPECT_FALSE(GunBytes(2).empty());
    EXPECT_EQ(GunBytes(0), gun0);
    EXPECT_EQ(GunBytes(3), gun3);
    EXPECT_EQ(Panel()->CurrentGun(), 0);
    EXPECT_EQ(Panel()->CurrentBullet(), -1);
}

TEST_F(ShootPanelTest, ImportReplacesOnlyTheCurrentGunAndExportCopiesIt) {
    const std::string folder = testsupport::MakeTempDir("shoot-import");
    Json::Value pattern = recoil::DefaultPatternDocument(3);
    pattern["Events"][5 * 6 + 2]["Button"] = 99;
    pattern["Author"] = "someone";
    const std::string bytes = CJsonFile::FormatText(pattern);
    WriteFile(folder + "/mine.shoot", bytes);
    const auto before = AllGunBytes();

    ClickGun(1);
    ClickBullet(5);
    Dialogs().openAnswers.push_back(QString::fromStdString(folder + "/mine.shoot"));
    Click("shootdate_import_btn");

    EXPECT_EQ(GunBytes(1), bytes);
    for (int gun : {0, 2, 3}) {
        EXPECT_EQ(GunBytes(gun), before[static_cast<std::size_t>(gun)]) << gun;
    }
    EXPECT_EQ(Edit("bullet_x_eidt")->text(), QStringLiteral("99"));  // shown at once
    ASSERT_FALSE(Dialogs().asked.empty());
    EXPECT_EQ(Dialogs().asked.back().kind, QStringLiteral("open"));

    Dialogs().saveAnswers.push_back(QString::fromStdString(folder + "/out.shoot"));
    Click("shootdate_export_btn");
    EXPECT_EQ(ReadFile(folder + "/out.shoot"), bytes);

    // Cancelled dialogs change nothing and say nothing.
    const std::size_t asked = Dialogs().asked.size();
    Click("shootdate_import_btn");
    Click("shootdate_export_btn");
    EXPECT_EQ(GunBytes(1), bytes);
    ASSERT_EQ(Dialogs().asked.size(), asked + 2);
    EXPECT_NE(Dialogs().asked.back().kind, QStringLiteral("message"));
}

TEST_F(ShootPanelTest, AFileThatIsNoPatternChangesNothing) {
    std::string tooMany = R"({"Events":[)";
    for (int i = 0; i <= recoil::kMaxEventsPerGun; ++i) {
        tooMany +=
            std::string(i > 0 ? "," : "") + R"({"Action":"up","Button":0,"Delay":0,"Type":4})";
    }
    tooMany += "]}";
    const std::string cases[] = {
        "",
        "not json",
        "[1, 2]",
        "{}",
        R"({"Events": 5})",
        R"({"Events": [1, 2]})",
        R"({"Events": [{"Action":"down"}, "x"]})",
        tooMany,
    };
    const std::string folder = testsupport::MakeTempDir("shoot-bad");
    ClickGun(2);
    ClickBullet(0);
    const auto before = AllGunBytes();
    const QString shown = Edit("bullet_y_eidt")->text();
    int n = 0;
    for (const std::string& content : cases) {
        SCOPED_TRACE(content.substr(0, 40));
        const std::string path = folder + "/bad" + std::to_string(n++) + ".shoot";
        WriteFile(path, content);
        Dialogs().openAnswers.push_back(QString::fromStdString(path));
        Click("shootdate_import_btn");
        EXPECT_EQ(AllGunBytes(), before);
        EXPECT_EQ(Edit("bullet_y_eidt")->text(), shown);
        ASSERT_FALSE(Dialogs().asked.empty());
        EXPECT_EQ(Dialogs().asked.back().text, QStringLiteral("shoot_import_failed_text"));
    }
    // A file that does not exist.
    Dialogs().openAnswers.push_back(QString::fromStdString(folder + "/missing.shoot"));
    Click("shootdate_import_btn");
    EXPECT_EQ(AllGunBytes(), before);
    EXPECT_EQ(Dialogs().asked.back().text, QStringLiteral("shoot_import_failed_text"));
}

TEST_F(ShootPanelTest, ResetRestoresTheFactoryPatternOfTheCurrentGunOnly) {
    for (int gun : {1, 3}) {
        ClickGun(gun);
        ClickBullet(4);
        TypeAndLeave("bullet_delay_eidt", QStringLiteral("1234"));
    }
    const std::string gun3 = GunBytes(3);
    ClickGun(1);
    Click("shootdate_reset_btn");
    EXPECT_EQ(GunBytes(1), ReadFile(DefaultPath(1)));
    EXPECT_EQ(GunBytes(3), gun3);
    EXPECT_EQ(Edit("bullet_delay_eidt")->text(),
              QString::number(recoil::BulletFromDocument(GunDocument(1), 4).delay));
    EXPECT_NE(Edit("bullet_delay_eidt")->text(), QStringLiteral("1234"));
}

TEST_F(ShootPanelTest, ExportToAPlaceThatCannotBeWrittenIsReported) {
    Dialogs().saveAnswers.push_back(QStringLiteral("/proc/no-such-folder/out.shoot"));
    Click("shootdate_export_btn");
    ASSERT_FALSE(Dialogs().asked.empty());
    EXPECT_EQ(Dialogs().asked.back().text, QStringLiteral("shoot_export_failed_text"));
}

}  // namespace
}  // namespace shoottest
