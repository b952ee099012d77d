// The action list as a user sees it: whole rows after a recording, every row's delay field in
// line with the others.
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <optional>

#include "tests/macro_panel/MacroPanelTestBase.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

constexpr quint32 kXkbA = 38;

class MacroPanelLayoutTest : public testsupport::MacroRecordingPanelTest {
protected:
    void Key(QEvent::Type type) {
        now_ += 40;
        SendKey(type, Qt::Key_A, kXkbA);
    }
    // Records `presses` presses of A (two rows each) as a user does: the list follows the new
    // rows while they come in, then the recording is stopped.
    void Record(int presses) {
        Click("macro_btn_starredio");
        for (int i = 0; i < presses; ++i) {
            Key(QEvent::KeyPress);
            Key(QEvent::KeyRelease);
        }
        testsupport::RunEventLoopFor(200);
        Click("macro_btn_stopredio");
        QApplication::processEvents();
    }
    QRect InView(QWidget* row) const {
        return {row->mapTo(Actions()->viewport(), QPoint(0, 0)), row->size()};
    }
};

TEST_F(MacroPanelLayoutTest, AfterARecordingEveryRowInSightIsWhole) {
    for (const bool profileButtons : {false, true}) {
        SCOPED_TRACE(profileButtons ? "with the profile buttons" : "without the profile buttons");
        if (profileButtons) {
            Click("profile_fun_spread_btn");
        }
        Click("macro_btn_deleteall");
        Record(8);
        ASSERT_EQ(Actions()->Count(), 16);
        const QRect view = Actions()->viewport()->rect();
        EXPECT_TRUE(view.contains(InView(Actions()->ElementAt(15))));  // the last row recorded
        for (int i = 0; i < Actions()->Count(); ++i) {
            const QRect at = InView(Actions()->ElementAt(i));
            EXPECT_TRUE(!at.intersects(view) || view.contains(at)) << "row " << i << " is cut";
        }
    }
}

TEST_F(MacroPanelLayoutTest, EveryRowsDelayFieldIsInLine) {
    auto expectInLine = [this](const char* when) {
        SCOPED_TRACE(when);
        std::optional<QRect> first;
        for (int i = 0; i < Actions()->Count(); ++i) {
            auto* row = qobject_cast<macropanel::CActionRow*>(Actions()->ElementAt(i));
            ASSERT_NE(row, nullptr);
            QWidget* delay = row->DelayEdit();
            // Where it sits in its row, and the row across the list.
            const QRect at(delay->mapTo(row, QPoint(row->x(), 0)), delay->size());
            first = first.value_or(at);
            EXPECT_EQ(at, *first) << "row " << i;
            EXPECT_EQ(row->width(), Actions()->viewport()->width()) << "row " << i;
        }
    };
    Record(1);
    expectInLine("two rows recorded");
    Record(8);
    expectInLine("scrolling");
    while (Actions()->Count() > 2) {
        SelectAction(Actions()->Count() - 1);
        Click("macro_btn_delete");
    }
    QApplication::processEvents();
    expectInLine("two rows left");
}

// The record and stop buttons take turns in one place: the header has room for either, and the
// keyboard focus goes from one to the other instead of jumping to "Fixed delay" beside them.
TEST_F(MacroPanelLayoutTest, RecordAndStopTakeTurnsInOnePlace) {
    QWidget* header = Find("macro_action_header");
    auto* record = Find<QAbstractButton>("macro_btn_starredio");
    auto* stop = Find<QAbstractButton>("macro_btn_stopredio");
    QWidget* fixedDelay = Find("macro_check_time");
    record->setFocus();
    Click("macro_btn_starredio");
    QApplication::processEvents();
    EXPECT_TRUE(stop->hasFocus());
    EXPECT_GE(header->width(), header->layout()->totalMinimumSize().width());
    EXPECT_EQ(stop->geometry(), record->geometry());

    Click("macro_btn_stopredio");
    QApplication::processEvents();
    EXPECT_TRUE(record->hasFocus());
    EXPECT_FALSE(fixedDelay->hasFocus());
    EXPECT_GE(header->width(), header->layout()->totalMinimumSize().width());
}

}  // namespace
