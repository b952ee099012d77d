#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/AboutWnd.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

class AboutWndTest : public testsupport::UiTest {};

TEST_F(AboutWndTest, ShowsTheVersionLineAndClosesWithTheCloseButton) {
    QPointer<CAboutWnd> about;
    QString version;
    QSize size;
    bool slotSetWhileOpen = false;
    QTimer::singleShot(0, [&] {
        slotSetWhileOpen = !about.isNull() && about->IsModalRunning();
        ASSERT_TRUE(about);
        version = about->FindControl<QLabel>(QStringLiteral("software_ver_label"))->text();
        size = about->size();
        QWidget* close = about->FindControl(QStringLiteral("closebtn"));
        ASSERT_NE(close, nullptr);
        QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about), 0);
    EXPECT_TRUE(slotSetWhileOpen);
    EXPECT_TRUE(about.isNull());
    EXPECT_EQ(version, QStringLiteral("Software version V0102"));
    EXPECT_EQ(size, QSize(CAboutWnd::kWidth, CAboutWnd::kHeight));
}

TEST_F(AboutWndTest, ClosingTheWindowEndsOnlyTheAboutWindow) {
    QPointer<CAboutWnd> about;
    bool quitRequested = false;
    QObject guard;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &guard,
                     [&quitRequested] { quitRequested = true; });
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(about);
        about->close();
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about), 0);
    EXPECT_FALSE(quitRequested);
}

TEST_F(AboutWndTest, LanguageChangeKeepsTheVersionLine) {
    QPointer<CAboutWnd> about;
    QString after;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(about);
        about->OnLanguageChanged();
        after = about->FindControl<QLabel>(QStringLiteral("software_ver_label"))->text();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    EXPECT_EQ(ShowAboutWindow(nullptr, &about), 0);
    EXPECT_EQ(after, QStringLiteral("Software version V0102"));
}

}  // namespace
