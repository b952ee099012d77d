#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/AboutWnd.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

class AboutWndTest : public testsupport::UiTest {
protected:
    CAboutWnd* About() const { return qobject_cast<CAboutWnd*>(about_.data()); }

    QPointer<QWidget> about_;
};

TEST_F(AboutWndTest, ShowsTheVersionLineAndClosesWithTheCloseButton) {
    QString version;
    QSize size;
    bool slotSetWhileOpen = false;
    QTimer::singleShot(0, [&] {
        slotSetWhileOpen = About() != nullptr && About()->IsModalRunning();
        ASSERT_NE(About(), nullptr);
        version = About()->FindControl<QLabel>(QStringLiteral("software_ver_label"))->text();
        size = About()->size();
        QWidget* close = About()->FindControl(QStringLiteral("closebtn"));
        ASSERT_NE(close, nullptr);
        QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about_), 0);
    EXPECT_TRUE(slotSetWhileOpen);
    EXPECT_TRUE(about_.isNull());
    EXPECT_EQ(version, QStringLiteral("Software version V0102"));
    EXPECT_EQ(size, QSize(CAboutWnd::kWidth, CAboutWnd::kHeight));
}

TEST_F(AboutWndTest, ClosingTheWindowEndsOnlyTheAboutWindow) {
    bool quitRequested = false;
    QObject guard;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &guard,
                     [&quitRequested] { quitRequested = true; });
    QTimer::singleShot(0, [&] {
        ASSERT_NE(About(), nullptr);
        About()->close();
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about_), 0);
    EXPECT_FALSE(quitRequested);
}

TEST_F(AboutWndTest, LanguageChangeKeepsTheVersionLine) {
    QString after;
    QTimer::singleShot(0, [&] {
        ASSERT_NE(About(), nullptr);
        About()->OnLanguageChanged();
        after = About()->FindControl<QLabel>(QStringLiteral("software_ver_label"))->text();
        QTest::keyClick(About(), Qt::Key_Escape);
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about_), 0);
    EXPECT_EQ(after, QStringLiteral("Software version V0102"));
}

}  // namespace
