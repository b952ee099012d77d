#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/Dialogs.h"
#include "ui/LanguageTexts.h"
#include "ui/PictureButton.h"
#include "ui/PopupMenu.h"
#include "ui/Scaling.h"
#include "ui/SkinResources.h"

namespace {

using testsupport::SourceSkinFolder;

// Stand-ins for the program's own controls derived from themed Qt classes.
class Ring : public QProgressBar {
    Q_OBJECT
};
class KeyButton : public ui::PictureButton {
    Q_OBJECT
};

class TextsTest : public testsupport::UiTest {
protected:
    void TearDown() override {
        ui::SetSkinFolderForTesting(SourceSkinFolder());
        ui::LoadLanguageFile(QStringLiteral("lan_en.xml"));
        UiTest::TearDown();
    }
};

TEST_F(TextsTest, CaptionsAndTooltipsAreResolvedAndReResolvedOnDemand) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    auto* click = window->FindControl<QPushButton>(QStringLiteral("contract_click_btn"));
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->text(), QStringLiteral("Apply"));
    EXPECT_EQ(click->toolTip(), QStringLiteral("Write the settings to the mouse"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Control contract"));
    QMenu* menu = ui::BuildPopupMenu(QStringLiteral("XML_TRAY_MENU"), window);
    ASSERT_NE(menu, nullptr);
    auto* value = window->FindControl<QLabel>(QStringLiteral("contract_slider_value"));
    ui::SetPlainText(value, QStringLiteral("75"));

    // Another language: a copy of the skin's language with one text changed.
    QFile english(SourceSkinFolder() + QStringLiteral("/lan_en.xml"));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(english.readAll());
    text.replace(QStringLiteral(">Apply<"), QStringLiteral(">Anwenden<"));
    text.replace(QStringLiteral(">Control contract<"), QStringLiteral(">Kontrakt<"));
    text.replace(QStringLiteral(">About<"), QStringLiteral(">Info<"));
    const QString other = QString::fromStdString(testsupport::MakeTempDir("lang"));
    QDir().mkpath(other);
    QFile::copy(SourceSkinFolder() + QStringLiteral("/res.xml"),
                other + QStringLiteral("/res.xml"));
    QFile german(other + QStringLiteral("/lan_de.xml"));
    ASSERT_TRUE(german.open(QIODevice::WriteOnly));
    german.write(text.toUtf8());
    german.close();
    ui::SetSkinFolderForTesting(other);
    ASSERT_TRUE(ui::LoadLanguageFile(QStringLiteral("lan_de.xml")));
    window->ReapplyTexts();
    ui::ApplyMenuTexts(menu);
    EXPECT_EQ(click->text(), QStringLiteral("Anwenden"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kontrakt"));
    EXPECT_EQ(menu->actions().at(1)->text(), QStringLiteral("Info"));
    EXPECT_EQ(value->text(), QStringLiteral("75"));  // a value shown from code stays
}

TEST_F(TextsTest, MissingOrBrokenLanguageKeepsTheTextsInPlace) {
    EXPECT_FALSE(ui::LoadLanguageFile(QStringLiteral("lan_none.xml")));
    EXPECT_FALSE(ui::LoadLanguageFile(QStringLiteral("../lan_en.xml")));
    EXPECT_EQ(ui::Text(QStringLiteral("about_menu_text")), QStringLiteral("About"));
    EXPECT_EQ(ui::Text(QStringLiteral("never_defined_id")), QStringLiteral("never_defined_id"));
    EXPECT_EQ(ui::CurrentLanguageFile(), QStringLiteral("lan_en.xml"));
}

TEST_F(TextsTest, PlaceholdersAreFilledOnlyFromTheArgumentsGiven) {
    struct Case {
        QStringList args;
        const char* expected;
    } const cases[] = {
        {{QStringLiteral("3"), QStringLiteral("7")}, "Downloaded 3 of 7 macros"},
        {{QStringLiteral("3")}, "Downloaded 3 of %2 macros"},
        {{}, "Downloaded %1 of %2 macros"},
        // An argument that looks like a placeholder is shown, not substituted again.
        {{QStringLiteral("%2"), QStringLiteral("x")}, "Downloaded %2 of x macros"},
        {{QStringLiteral("%s%n%d"), QStringLiteral("1")}, "Downloaded %s%n%d of 1 macros"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::FormatText(QStringLiteral("contract_format_text"), c.args),
                  QString::fromLatin1(c.expected));
    }
}

TEST_F(TextsTest, DialogsAreAnsweredByTheTestDouble) {
    Dialogs().messageAnswers = {0, 1};
    Dialogs().openAnswers = {QStringLiteral("/tmp/a.json")};
    ui::Dialogs& dialogs = ui::CurrentDialogs();
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("message_text_22"), 2), 0);
    EXPECT_EQ(
        dialogs.ShowMessage(nullptr, QStringLiteral("message_text_16"), 1, {QStringLiteral("4")}),
        1);
    EXPECT_EQ(dialogs.GetOpenFileName(nullptr, QString(), QString(), QString()),
              QStringLiteral("/tmp/a.json"));
    EXPECT_EQ(dialogs.GetSaveFileName(nullptr, QString(), QString(), QString()), QString());
    ASSERT_EQ(Dialogs().asked.size(), 4u);
    EXPECT_EQ(Dialogs().asked[1].text, QStringLiteral("message_text_16"));
    EXPECT_EQ(Dialogs().asked[1].args, QStringList{QStringLiteral("4")});
}

// The theme styles Qt's own controls; the program's controls derived from them (a ring
// progress, key buttons placed over the device picture) keep the sizes they are given.
TEST_F(TextsTest, ThemeDoesNotSizeControlsDerivedFromThemedClasses) {
    Ring ring;
    KeyButton key;
    ui::PictureButton pictured;
    pictured.SetNormalImage(QStringLiteral("Control/check_on.png"));
    QProgressBar plain;
    for (QWidget* w : std::initializer_list<QWidget*>{&ring, &key, &pictured}) {
        w->ensurePolished();
        w->resize(20, 20);
        EXPECT_EQ(w->size(), QSize(20, 20)) << w->metaObject()->className();
    }
    ring.resize(100, 100);
    EXPECT_EQ(ring.size(), QSize(100, 100));
    plain.ensurePolished();
    EXPECT_LE(plain.maximumHeight(), 6);  // the plain bar still gets the theme
}

TEST(SkinPathTest, NamesStayInsideTheSkinFolder) {
    testsupport::UiApplication();
    ui::SetSkinFolderForTesting(QStringLiteral("/s/skin"));
    struct Case {
        const char* name;
        const char* expected;
    } const cases[] = {
        {"Control/SliderBar_BK3.png", "/s/skin/Control/SliderBar_BK3.png"},
        {"file='power/powering.png'", "/s/skin/power/powering.png"},
        {"file='power/power.png' source='0,0,10,10'", "/s/skin/power/power.png"},
        {"XML\\CustomControlXML\\DeviceOption.xml",
         "/s/skin/XML/CustomControlXML/DeviceOption.xml"},
        {"common/../common/a.png", "/s/skin/common/a.png"},
        {"../a.png", ""},
        {"common/../../a.png", ""},
        {"..\\a.png", ""},
        {"/etc/passwd", ""},
        {"file='../../x.png'", ""},
        {"C:/x.png", ""},
        {"", ""},
        {".", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::SkinPath(QString::fromLatin1(c.name)), QString::fromLatin1(c.expected))
            << c.name;
    }
    ui::SetSkinFolderForTesting(SourceSkinFolder());
}

TEST(SkinPictureTest, PicturesLoadAndMissingOnesDrawNothing) {
    testsupport::UiApplication();
    ui::SetSkinFolderForTesting(SourceSkinFolder());
    EXPECT_FALSE(ui::LoadPicture(QStringLiteral("Control/SliderBar_BK3.png")).isNull());
    EXPECT_FALSE(ui::LoadPicture(QStringLiteral("file='power/powering.png'")).isNull());
    EXPECT_TRUE(ui::LoadPicture(QStringLiteral("Control/no_such_picture.png")).isNull());
    EXPECT_TRUE(ui::LoadPicture(QStringLiteral("../../etc/passwd")).isNull());
    EXPECT_TRUE(ui::LoadPicture(QStringLiteral("lan_en.xml")).isNull());  // not a picture
    // A button with a missing picture paints without failing.
    ui::PictureButton button;
    button.SetNormalImage(QStringLiteral("Control/no_such_picture.png"));
    button.resize(32, 32);
    EXPECT_FALSE(button.grab().isNull());
}

TEST(SkinFontTest, FontsBesideTheSkinAreAddedAndBadOnesSkipped) {
    testsupport::UiApplication();
    const QString root = QString::fromStdString(testsupport::MakeTempDir("fonts"));
    QDir().mkpath(root + QStringLiteral("/skin"));
    ui::SetSkinFolderForTesting(root + QStringLiteral("/skin"));
    EXPECT_EQ(ui::LoadSkinFonts(), 0);  // no "Font" folder
    QDir().mkpath(root + QStringLiteral("/Font"));
    testsupport::WriteFile((root + QStringLiteral("/Font/broken.ttf")).toStdString(), "not a font");
    EXPECT_EQ(ui::LoadSkinFonts(), 0);
    const QString system = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    if (QFile::exists(system)) {
        ASSERT_TRUE(QFile::copy(system, root + QStringLiteral("/Font/DejaVuSans.ttf")));
        EXPECT_EQ(ui::LoadSkinFonts(), 1);
    }
    ui::SetSkinFolderForTesting(SourceSkinFolder());
}

// Every picture the program names exists, at both sizes.
TEST(SkinPictureTest, EveryPictureTheProgramNamesIsInTheSkin) {
    testsupport::UiApplication();
    ui::SetSkinFolderForTesting(SourceSkinFolder());
    QStringList names = {
        QStringLiteral("Control/SliderBar_BK1.png"),
        QStringLiteral("Control/SliderBar_BK3.png"),
        QStringLiteral("Control/SliderBar1_Thumb.png"),
        QStringLiteral("Control/SliderBar2_Thumb.png"),
        QStringLiteral("sysbtn/haveNewInfo.png"),
        QStringLiteral("common/background.png"),
        QStringLiteral("common/no_device.png"),
        QStringLiteral("common/device/ms_device_top.png"),
    };
    for (const char* power :
         {"power", "powered", "powering", "wuxian_powering", "Phone_type_iphone",
          "Phone_type_samsung", "Phone_type_other", "Phone_type_no_device"}) {
        names << QStringLiteral("power/%1.png").arg(QLatin1String(power));
    }
    for (const char* kind : {"kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"}) {
        for (const char* look : {"normal", "selected", "synchro_normal", "synchro_selected"}) {
            names << QStringLiteral("common/device_ico/%1_device_%2.png")
                         .arg(QLatin1String(kind), QLatin1String(look));
        }
    }
    for (const QString& name : names) {
        EXPECT_TRUE(QFile::exists(ui::SkinPath(name))) << name.toStdString();
        QString doubled = name;
        doubled.replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
        EXPECT_TRUE(QFile::exists(ui::SkinPath(doubled))) << doubled.toStdString();
    }
}

TEST(ScalingTest, LargeScreensAreDrawnAtOneAndAHalf) {
    struct Case {
        QSize screen;
        double scale;
    } const cases[] = {
        {{1920, 1080}, 1.5}, {{1501, 961}, 1.5},  {{1500, 1080}, 1.0}, {{1920, 960}, 1.0},
        {{1366, 768}, 1.0},  {{2560, 1440}, 1.5}, {{0, 0}, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::ScaleForScreen(c.screen), c.scale)
            << c.screen.width() << "x" << c.screen.height();
    }
}

// Each screen gets the program's factor on top of the desktop's own; only the screens drawn at
// 150 % need naming, and screens without names are listed by position.
TEST(ScalingTest, EachScreenGetsItsOwnFactorOnTopOfTheDesktops) {
    using Screens = std::vector<ui::ScreenProbe>;
    struct Case {
        const char* what;
        Screens screens;
        const char* factors;
    } const cases[] = {
        {"one small screen", {{QStringLiteral("eDP-1"), {1366, 768}, 96}}, ""},
        {"a large screen beside",
         {{QStringLiteral("eDP-1"), {1366, 768}, 96}, {QStringLiteral("DP-1"), {1920, 1080}, 96}},
         "DP-1=1.5"},
        {"desktop at 150 %, 1920 x 1080 logical",
         {{QStringLiteral("DP-1"), {2880, 1620}, 144}},
         "DP-1=2.25"},
        {"desktop at 200 %, 1280 x 720 logical", {{QStringLiteral("DP-1"), {2560, 1440}, 192}}, ""},
        {"screens without names",
         {{QString(), {1366, 768}, 96}, {QString(), {3840, 2160}, 192}},
         "1;3"},
        {"a name Qt could not read", {{QStringLiteral("a;b"), {1920, 1080}, 96}}, "1.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::ScreenScaleFactors(c.screens).toStdString(), c.factors) << c.what;
    }
}

}  // namespace

#include "TextsAndPicturesTest.moc"
