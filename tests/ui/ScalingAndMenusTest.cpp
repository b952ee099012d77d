#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QSlider>

#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/ControlState.h"
#include "ui/PopupMenu.h"

namespace {

// The scale is chosen from the screen before the application exists, so it is checked in a
// fresh process: the contract page's picture is 1000 x 640 at 100 % and 1500 x 960 at 150 %.
TEST(ScalingProcessTest, TheProgramChoosesOneAndAHalfOnLargeScreensOnly) {
    const QString dir = QString::fromStdString(testsupport::MakeTempDir("scale"));
    struct Case {
        int width, height;
        const char* forced;
        QSize picture;
    } const cases[] = {
        {1920, 1080, "", {1500, 960}},
        {1366, 768, "", {1000, 640}},
        {1500, 960, "", {1000, 640}},
        {1920, 1080, "100", {1000, 640}},  // forced, for tests and screenshots
        {800, 600, "150", {1500, 960}},
    };
    for (const Case& c : cases) {
        const QString config =
            dir + QStringLiteral("/screen-%1x%2.json").arg(c.width).arg(c.height);
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            QStringLiteral("{\"screens\":[{\"name\":\"s\",\"x\":0,\"y\":0,\"width\":%1,"
                           "\"height\":%2,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}")
                .arg(c.width)
                .arg(c.height)
                .toUtf8());
        file.close();
        const QString out = dir + QStringLiteral("/shot.png");
        QFile::remove(out);
        QProcess shot;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + config);
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        env.insert(QStringLiteral("ZORVATH_SCALE"), QString::fromLatin1(c.forced));
        shot.setProcessEnvironment(env);
        shot.start(QStringLiteral(ZORVATH_CONTRACT_SHOT), {out});
        ASSERT_TRUE(shot.waitForFinished(60000));
        ASSERT_EQ(shot.exitCode(), 0) << shot.readAllStandardError().toStdString();
        EXPECT_EQ(QImage(out).size(), c.picture) << c.width << "x" << c.height << " " << c.forced;
    }
}

class MenuTest : public testsupport::UiTest {};

TEST_F(MenuTest, MacroActionMenuReportsItemsOfItsSubmenus) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    QMenu* menu = ui::ShowPopupMenu(QStringLiteral("XML_MACRO_ACTION_MENU"), window,
                                    window->mapToGlobal(QPoint(20, 20)));
    ASSERT_NE(menu, nullptr);
    QStringList names;
    for (QAction* action : menu->findChildren<QAction*>()) {
        names << action->objectName();
    }
    for (const char* name : {"redio_previous_record_time", "redio_later_ignore_time",
                             "macro_action_edit", "left_click", "back_up", "forward_down"}) {
        EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
    }
    QAction* item = menu->findChild<QAction*>(QStringLiteral("middle_click"));
    ASSERT_NE(item, nullptr);
    window->Clear();
    item->trigger();
    EXPECT_EQ(window->Trail(), QStringList{QStringLiteral("menucommand:middle_click")});
    // Opening it again closes the one before.
    QPointer<QMenu> first(menu);
    QMenu* second = ui::ShowPopupMenu(QStringLiteral("XML_MACRO_ACTION_MENU"), window,
                                      window->mapToGlobal(QPoint(20, 20)));
    ASSERT_NE(second, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second->isVisible());
    second->close();
}

TEST_F(MenuTest, BrokenOrMissingMenusGiveNothing) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::BuildPopupMenu(QStringLiteral("no_menu.xml"), window), nullptr);
    EXPECT_EQ(ui::BuildPopupMenu(QStringLiteral("lan_en.xml"), window), nullptr);  // not a menu
    EXPECT_EQ(ui::BuildPopupMenu(QStringLiteral("menu.xml"), nullptr), nullptr);
    EXPECT_EQ(ui::ShowPopupMenu(QStringLiteral("../menu.xml"), window, QPoint()), nullptr);
}

TEST_F(MenuTest, SliderPicturesAreTakenFromTheSkinAndMissingOnesIgnored) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    auto* slider = window->FindControl<QSlider>(QStringLiteral("contract_slider"));
    ASSERT_NE(slider, nullptr);
    ui::SetSliderImages(slider, QStringLiteral("Control/SliderBar_BK3.png"),
                        QStringLiteral("Control/SliderBar2_Thumb.png"));
    EXPECT_TRUE(slider->styleSheet().contains(QStringLiteral("SliderBar_BK3.png")));
    EXPECT_TRUE(slider->styleSheet().contains(QStringLiteral("SliderBar2_Thumb.png")));
    ui::SetSliderImages(slider, QStringLiteral("Control/nothing.png"), QStringLiteral("../x.png"));
    EXPECT_TRUE(slider->styleSheet().isEmpty());
    EXPECT_FALSE(slider->grab().isNull());
}

}  // namespace
