// A list shows whole rows: whatever its height and wherever it scrolls to, no row in sight is
// cut at the top or bottom.
#include <QScrollBar>
#include <QWheelEvent>

#include "tests/support/ui/UiTestHarness.h"
#include "ui/ListContainer.h"

namespace {

class ListRowsTest : public testsupport::UiTest {};

ui::ListElement* Row(int height) {
    auto* row = new ui::ListElement;
    row->setFixedHeight(height);
    return row;
}

// Rows partly in sight, by index.
std::vector<int> CutRows(ui::ListContainer& list) {
    std::vector<int> cut;
    const QRect view = list.viewport()->rect();
    for (int i = 0; i < list.Count(); ++i) {
        QWidget* row = list.ElementAt(i);
        const QRect at(row->mapTo(list.viewport(), QPoint(0, 0)), row->size());
        if (at.intersects(view) && !view.contains(at)) {
            cut.push_back(i);
        }
    }
    return cut;
}

TEST_F(ListRowsTest, EveryRowInSightIsWholeWhereverTheListScrolls) {
    for (const int height : {100, 117, 64, 250}) {
        SCOPED_TRACE(height);
        ui::ListContainer list;
        list.resize(200, height);
        list.show();
        for (int i = 0; i < 20; ++i) {
            list.Add(Row(30));
        }
        QApplication::processEvents();
        EXPECT_EQ(CutRows(list), std::vector<int>{});

        list.SelectItem(19);  // as after a recording: the last row brought into sight
        QApplication::processEvents();
        EXPECT_EQ(CutRows(list), std::vector<int>{});
        EXPECT_TRUE(list.viewport()->rect().contains(
            QRect(list.ElementAt(19)->mapTo(list.viewport(), QPoint(0, 0)), QSize(1, 30))));

        list.verticalScrollBar()->setValue(47);  // a drag of the scroll bar
        EXPECT_EQ(CutRows(list), std::vector<int>{});
        QWheelEvent wheel(QPointF(10, 10), list.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list.viewport(), &wheel);
        EXPECT_EQ(CutRows(list), std::vector<int>{});
    }
}

TEST_F(ListRowsTest, AListTallerThanItsRowsLeavesThemWhole) {
    ui::ListContainer list;
    list.resize(200, 300);
    list.show();
    list.Add(Row(30));
    list.Add(Row(30));
    QApplication::processEvents();
    EXPECT_EQ(CutRows(list), std::vector<int>{});
    EXPECT_EQ(list.verticalScrollBar()->maximum(), 0);
}

}  // namespace
