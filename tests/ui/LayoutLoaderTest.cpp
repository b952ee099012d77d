#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "tests/support/TestDirs.h"
#include "tests/support/ui/UiTestHarness.h"
#include "ui/ControlClass.h"
#include "ui/ControlLookup.h"
#include "ui/LayoutLoader.h"
#include "ui/SkinResources.h"

namespace {

using testsupport::SourceSkinFolder;

class LayoutLoaderTest : public testsupport::UiTest {
protected:
    // A private skin folder with the given files, for layouts the real skin does not have.
    void UseSkin(const std::vector<std::pair<QString, QString>>& files) {
        skin_ = QString::fromStdString(testsupport::MakeTempDir("skin"));
        for (const auto& [name, text] : files) {
            const QString path = skin_ + QLatin1Char('/') + name;
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        ui::SetSkinFolderForTesting(skin_);
    }
    void TearDown() override {
        ui::SetSkinFolderForTesting(SourceSkinFolder());
        UiTest::TearDown();
    }
    QString skin_;
};

QString Ui(const QString& body) {
    return QStringLiteral("<?xml version=\"1.0\"?><ui version=\"4.0\">") + body +
           QStringLiteral("</ui>");
}

// Every .ui layout of the skin builds, with no custom control tables at all.
TEST_F(LayoutLoaderTest, EveryLayoutFileOfTheSkinBuilds) {
    int layouts = 0;
    QDirIterator it(SourceSkinFolder(), {QStringLiteral("*.xml")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        if (!file.peek(400).contains("<ui")) {
            continue;  // language files, menus, the resource map
        }
        ++layouts;
        const QString relative = QDir(SourceSkinFolder()).relativeFilePath(path);
        QWidget holder;
        QString error;
        QWidget* root = ui::BuildLayout(relative, &holder, {}, &error);
        EXPECT_NE(root, nullptr) << relative.toStdString() << ": " << error.toStdString();
        // Every object whose name ends in "_layout" is a widget (a container the code can show,
        // hide and search), never a QLayout that FindControl would not see.
        if (root != nullptr) {
            for (QObject* o : root->findChildren<QObject*>()) {
                if (o->objectName().endsWith(QLatin1String("_layout"))) {
                    EXPECT_TRUE(o->isWidgetType())
                        << relative.toStdString() << ": " << o->objectName().toStdString();
                }
            }
        }
    }
    EXPECT_GT(layouts, 0);
}

TEST_F(LayoutLoaderTest, ControlsReportTheirElementClassNames) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    const std::pair<const char*, const char*> cases[] = {
        {"contract_click_btn", "Button"},
        {"contract_picture_btn", "Button"},
        {"contract_group_option_0", "OptionUI"},
        {"contract_check", "OptionUI"},
        {"contract_radio_0", "OptionUI"},
        {"contract_slider", "Slider"},
        {"contract_combo", "Combo"},
        {"contract_edit", "Edit"},
        {"contract_palette", "ColorPalette"},
        {"contract_tab_layout", "TabLayout"},
        {"contract_list", "List"},
        {"contract_progress", "Progress"},
        {"contract_title", "Label"},
        {"contract_buttons_layout", "Container"},
    };
    for (const auto& [name, className] : cases) {
        QWidget* control = window->FindControl(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(ui::ControlClass(control), QString::fromLatin1(className)) << name;
    }
    EXPECT_EQ(ui::ControlClass(nullptr), QString());
}

TEST_F(LayoutLoaderTest, MissingControlsAreNullAndHarmless) {
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML_CONTRACT"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->FindControl(QStringLiteral("no_such_control")), nullptr);
    EXPECT_EQ(window->FindControl<QSlider>(QStringLiteral("contract_click_btn")), nullptr);
    EXPECT_EQ(ui::FindSubControlByName(nullptr, QStringLiteral("x")), nullptr);
    EXPECT_EQ(ui::FindControl(window, QString()), nullptr);
    QWidget* panel = window->FindControl(QStringLiteral("contract_buttons_layout"));
    EXPECT_NE(ui::FindSubControlByName(panel, QStringLiteral("contract_click_btn")), nullptr);
    EXPECT_EQ(ui::FindSubControlByName(panel, QStringLiteral("contract_slider")), nullptr);
    EXPECT_EQ(ui::FindSubControlByName(panel, QStringLiteral("contract_buttons_layout")), nullptr);
}

QWidget* MakeMarker(QWidget* parent) {
    auto* w = new QLabel(parent);
    w->setText(QStringLiteral("marker"));
    return w;
}
constexpr ui::ControlFactoryEntry kExtraControls[] = {{"CMarkerUI", "Marker", &MakeMarker}};
constexpr ui::LayoutElementEntry kPanels[] = {
    {"PanelUI", "XML/CustomControlXML/Panel.xml"},
    {"LoopUI", "XML/Loop.xml"},
    {"MissingUI", "XML/NotThere.xml"},
};

TEST_F(LayoutLoaderTest, TablesCallbackAndLayoutElementsMakeTheControls) {
    UseSkin({
        {QStringLiteral("XML/Page.xml"),
         Ui(QStringLiteral(
             "<widget class=\"QWidget\" name=\"page_layout\"><layout class=\"QVBoxLayout\">"
             "<item><widget class=\"CMarkerUI\" name=\"marker\"/></item>"
             "<item><widget class=\"ShortName\" name=\"short\"/></item>"
             "<item><widget class=\"PanelUI\" name=\"PanelItem\"/></item>"
             "<item><widget class=\"MissingUI\" name=\"missing_panel\"/></item>"
             "<item><widget class=\"NobodyKnowsMe\" name=\"unknown\"/></item>"
             "<item><widget class=\"QPushButton\" name=\"after_btn\"/></item>"
             "</layout></widget>"))},
        {QStringLiteral("XML/CustomControlXML/Panel.xml"),
         Ui(QStringLiteral(
             "<widget class=\"HorizontalLayout\" name=\"panel_root\"><layout class=\"QHBoxLayout\">"
             "<item><widget class=\"QPushButton\" name=\"panel_btn\"/></item>"
             "</layout></widget>"))},
    });
    ui::LoaderConfig config;
    config.tables.push_back(kExtraControls);
    config.layoutElements.push_back(kPanels);
    QStringList asked;
    config.createControl = [&asked](const QString& element, QWidget* parent) -> QWidget* {
        asked << element;
        return element == QLatin1String("ShortName") ? new QSlider(parent) : nullptr;
    };
    testsupport::RecordingWindow* window = OpenWindow(QStringLiteral("XML/Page.xml"), config);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::ControlClass(window->FindControl(QStringLiteral("marker"))),
              QStringLiteral("Marker"));
    EXPECT_NE(window->FindControl<QSlider>(QStringLiteral("short")), nullptr);
    EXPECT_EQ(ui::ControlClass(window->FindControl(QStringLiteral("short"))),
              QStringLiteral("ShortName"));
    // The element replaced by a whole layout takes the element's name and holds its controls.
    QWidget* panel = window->FindControl(QStringLiteral("PanelItem"));
    ASSERT_NE(panel, nullptr);
    EXPECT_NE(ui::FindSubControlByName(panel, QStringLiteral("panel_btn")), nullptr);
    // A replaced element whose file is missing, and an unknown element, leave a hidden empty
    // box; the rest of the layout is intact.
    ASSERT_NE(window->FindControl(QStringLiteral("missing_panel")), nullptr);
    EXPECT_FALSE(window->FindControl(QStringLiteral("missing_panel"))->isVisible());
    ASSERT_NE(window->FindControl(QStringLiteral("unknown")), nullptr);
    EXPECT_FALSE(window->FindControl(QStringLiteral("unknown"))->isVisible());
    EXPECT_NE(window->FindControl<QPushButton>(QStringLiteral("after_btn")), nullptr);
    // Controls of nested layouts notify the window too.
    window->Clear();
    QTest::mouseClick(window->FindControl<QPushButton>(QStringLiteral("panel_btn")),
                      Qt::LeftButton);
    EXPECT_EQ(window->Trail(), QStringList{QStringLiteral("click:panel_btn")});
}

TEST_F(LayoutLoaderTest, ALayoutThatIncludesItselfStops) {
    UseSkin({{QStringLiteral("XML/Loop.xml"),
              Ui(QStringLiteral(
                  "<widget class=\"QWidget\" name=\"loop_root\"><layout class=\"QVBoxLayout\">"
                  "<item><widget class=\"LoopUI\" name=\"\"/></item>"
                  "</layout></widget>"))}});
    ui::LoaderConfig config;
    config.layoutElements.push_back(kPanels);
    QWidget holder;
    QString error;
    EXPECT_NE(ui::BuildLayout(QStringLiteral("XML/Loop.xml"), &holder, config, &error), nullptr);
}

TEST_F(LayoutLoaderTest, BrokenMissingAndEscapingLayoutsFailCleanly) {
    UseSkin(
        {{QStringLiteral("XML/Broken.xml"), QStringLiteral("<ui version=\"4.0\"><widget class=")},
         {QStringLiteral("XML/Empty.xml"), QString()}});
    const char* const names[] = {"XML/Broken.xml",
                                 "XML/Empty.xml",
                                 "XML/Nope.xml",
                                 "../outside.xml",
                                 "/etc/passwd",
                                 "XML\\..\\..\\x.xml",
                                 ""};
    for (const char* name : names) {
        QWidget holder;
        QString error;
        EXPECT_EQ(ui::BuildLayout(QString::fromLatin1(name), &holder, {}, &error), nullptr) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    testsupport::RecordingWindow window;
    EXPECT_FALSE(window.Create(QStringLiteral("XML/Nope.xml")));
    EXPECT_EQ(window.Root(), nullptr);
}

TEST_F(LayoutLoaderTest, ResourceKeysNameTheirFiles) {
    EXPECT_EQ(ui::ResourceFile(QStringLiteral("XML_CONTRACT")),
              QStringLiteral("XML/Test/ContractPage.xml"));
    EXPECT_EQ(ui::ResourceFile(QStringLiteral("XML_NOTHING")), QString());
    UseSkin({{QStringLiteral("res.xml"),
              QStringLiteral("<Resource><Layout name=\"A\" file=\"a.xml\"")}});
    EXPECT_EQ(ui::ResourceFile(QStringLiteral("A")), QString());  // a broken map knows nothing
}

}  // namespace
