#include <gtest/gtest.h>

#include <memory>

#include <QImage>
#include <QTest>

#include "appearance/ChartViewUI.h"
#include "appearance/WndUI.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

using appearance::CChartViewUI;
using appearance::CWndUI;

class HostAndChartTest : public testsupport::UiTest {};

TEST_F(HostAndChartTest, HostedWindowFollowsTheControlsRectangleAndVisibility) {
    QWidget page;
    page.resize(300, 200);
    auto* host = new CWndUI(&page);
    host->setGeometry(20, 30, 120, 80);
    QPointer<QWidget> hosted = new QWidget;
    host->Attach(hosted);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    EXPECT_EQ(hosted->parentWidget(), host);
    EXPECT_EQ(hosted->geometry(), QRect(0, 0, 120, 80));
    EXPECT_TRUE(hosted->isVisible());

    host->resize(200, 100);
    EXPECT_EQ(hosted->geometry(), QRect(0, 0, 200, 100));
    host->hide();
    EXPECT_FALSE(hosted->isVisible());
    host->show();
    EXPECT_TRUE(hosted->isVisible());

    // Detaching hands the widget back without deleting it.
    std::unique_ptr<QWidget> back(host->Detach());
    EXPECT_EQ(back.get(), hosted.data());
    EXPECT_EQ(host->Hosted(), nullptr);
    EXPECT_EQ(hosted->parentWidget(), nullptr);
}

TEST_F(HostAndChartTest, ChartViewChoosesItsKindAndDrawsWhatItHolds) {
    CChartViewUI chart;
    chart.resize(160, 120);
    EXPECT_FALSE(chart.IsBarChart());
    chart.SetView(QStringLiteral("histpgram"));
    EXPECT_TRUE(chart.IsBarChart());
    chart.SetView(QStringLiteral("donut"));
    EXPECT_EQ(chart.View(), QStringLiteral("pie"));

    // Empty (as every layout of the program leaves it): nothing but the background.
    const QImage empty = chart.grab().toImage();
    const QColor corner = empty.pixelColor(2, 2);
    EXPECT_EQ(empty.pixelColor(80, 60), corner);

    chart.AddItem(QStringLiteral("a"), 3);
    chart.AddItem(QStringLiteral("b"), -1);  // negative values count as 0
    ASSERT_EQ(chart.Items().size(), 2);
    EXPECT_EQ(chart.Items()[1].value, 0);
    for (const char* view : {"pie", "histpgram"}) {
        chart.SetView(QLatin1String(view));
        const QImage drawn = chart.grab().toImage();
        bool accent = false;
        for (int y = 0; y < drawn.height() && !accent; ++y) {
            for (int x = 0; x < drawn.width() && !accent; ++x) {
                accent = drawn.pixelColor(x, y) == QColor(0x00, 0x99, 0xFF);
            }
        }
        EXPECT_TRUE(accent) << view;
    }
    chart.ClearItems();
    EXPECT_TRUE(chart.Items().isEmpty());
}

}  // namespace
