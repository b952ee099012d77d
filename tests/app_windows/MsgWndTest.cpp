#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <vector>

#include "app/MsgWnd.h"
#include "base/Trace.h"
#include "tests/support/ui/UiTestHarness.h"

namespace {

// Answers the next message box with a real click on the named control and records what the
// box showed at that moment.
struct Answer {
    QString button;
    bool confirmVisible = false;
    bool cancelVisible = false;
    QString title;
    QString text;
    int dpi = 0;
};

class MsgWndTest : public testsupport::UiTest {
protected:
    void TearDown() override {
        CMsgWnd::SetShownHookForTesting(nullptr);
        testsupport::UiTest::TearDown();
    }

    // Installs a hook that clicks `button` (or presses Escape when it is empty).
    void AnswerWith(Answer& answer) {
        CMsgWnd::SetShownHookForTesting([&answer](CMsgWnd* box) {
            auto visible = [box](const char* name) {
                QWidget* w = box->FindControl(QLatin1String(name));
                return w != nullptr && w->isVisible();
            };
            answer.confirmVisible = visible("confirm_btn");
            answer.cancelVisible = visible("cancel_btn");
            answer.title = box->FindControl<QLabel>(QStringLiteral("MessageTitle"))->text();
            answer.text = box->FindControl<QLabel>(QStringLiteral("MessageText"))->text();
            answer.dpi = box->Dpi();
            if (answer.button.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            QWidget* target = box->FindControl(answer.button);
            ASSERT_NE(target, nullptr);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        });
    }
};

TEST_F(MsgWndTest, OneButtonShowsOnlyConfirmAndConfirmReturnsOne) {
    Answer answer;
    answer.button = QStringLiteral("confirm_btn");
    AnswerWith(answer);
    EXPECT_EQ(ShowMessage(nullptr, QString(), QStringLiteral("ok_text"), 96, true, 0), 1);
    EXPECT_TRUE(answer.confirmVisible);
    EXPECT_FALSE(answer.cancelVisible);
}

TEST_F(MsgWndTest, ResultFollowsTheButtonThatClosedTheBox) {
    struct Case {
        const char* button;  // empty: Escape
        int expected;
    };
    const Case cases[] = {{"confirm_btn", 1}, {"cancel_btn", 0}, {"closebtn", 0}, {"", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Answer answer;
        answer.button = QLatin1String(c.button);
        AnswerWith(answer);
        EXPECT_EQ(ShowMessage(nullptr, QString(), QStringLiteral("ok_text"), 96, true, 1),
                  c.expected);
        EXPECT_TRUE(answer.confirmVisible);
        EXPECT_TRUE(answer.cancelVisible);
    }
}

TEST_F(MsgWndTest, WindowManagerCloseCancels) {
    CMsgWnd::SetShownHookForTesting([](CMsgWnd* box) { box->close(); });
    EXPECT_EQ(ShowMessage(nullptr, QString(), QStringLiteral("ok_text"), 96, true, 1), 0);
}

TEST_F(MsgWndTest, TextIdIsResolvedAndEmptyTitleKeepsTheLayoutTitle) {
    Answer answer;
    answer.button = QStringLiteral("confirm_btn");
    AnswerWith(answer);
    ShowMessage(nullptr, QString(), QStringLiteral("cancel_text"), 96, true, 0);
    EXPECT_EQ(answer.text, QStringLiteral("Cancel"));
    EXPECT_EQ(answer.title, QStringLiteral("Zorvath ZR-310"));

    ShowMessage(nullptr, QStringLiteral("Profiles"), QStringLiteral("cancel_text"), 96, false, 0);
    EXPECT_EQ(answer.text, QStringLiteral("cancel_text"));  // not a text id: shown as given
    EXPECT_EQ(answer.title, QStringLiteral("Profiles"));
}

TEST_F(MsgWndTest, UnknownDpiBecomes96WithATraceLine) {
    struct Case {
        int given;
        int taken;
        bool traced;
    };
    const Case cases[] = {{100, 96, true}, {144, 144, false}, {0, 96, true},
                          {96, 96, false}, {192, 192, false}, {-120, 96, true}};
    trace::Enable(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        Answer answer;
        answer.button = QStringLiteral("confirm_btn");
        AnswerWith(answer);
        testing::internal::CaptureStderr();
        ShowMessage(nullptr, QString(), QStringLiteral("ok_text"), c.given, true, 0);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer.dpi, c.taken);
        EXPECT_EQ(err.find("MSG_WND DPI SET ERROR") != std::string::npos, c.traced) << err;
    }
    trace::Enable(false);
}

TEST_F(MsgWndTest, ParentDeletedWhileTheBoxIsOpenEndsTheRunSafely) {
    auto* parent = new QWidget;
    parent->resize(400, 300);
    parent->show();
    CMsgWnd::SetShownHookForTesting([parent](CMsgWnd*) { delete parent; });
    EXPECT_EQ(ShowMessage(parent, QString(), QStringLiteral("ok_text"), 96, true, 1), 0);
}

TEST_F(MsgWndTest, InstalledDialogsAskThroughTheMessageWindow) {
    MsgWndDialogs dialogs;
    Answer answer;
    answer.button = QStringLiteral("cancel_btn");
    AnswerWith(answer);
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("contract_format_text"), 2,
                                  {QStringLiteral("3"), QStringLiteral("5")}),
              0);
    EXPECT_EQ(answer.text, QStringLiteral("Downloaded 3 of 5 macros"));
    EXPECT_TRUE(answer.cancelVisible);
}

TEST_F(MsgWndTest, HeldMessagesWaitForReleaseAndShowOnceEach) {
    MsgWndDialogs dialogs;
    dialogs.HoldMessages();
    std::vector<QString> shown;
    CMsgWnd::SetShownHookForTesting([&shown](CMsgWnd* box) {
        shown.push_back(box->FindControl<QLabel>(QStringLiteral("MessageText"))->text());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    // While held nothing opens: a notice counts as confirmed, a question as cancelled.
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("ok_text"), 1), 1);
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("ok_text"), 1), 1);
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("contract_format_text"), 1,
                                  {QStringLiteral("1"), QStringLiteral("2")}),
              1);
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("ok_text"), 2), 0);
    EXPECT_TRUE(shown.empty());

    QWidget hidden;
    dialogs.Release(&hidden);  // an owner that is not on screen (the program is ending)
    EXPECT_TRUE(shown.empty());

    dialogs.HoldMessages();
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("ok_text"), 1), 1);
    EXPECT_EQ(dialogs.ShowMessage(nullptr, QStringLiteral("contract_format_text"), 1,
                                  {QStringLiteral("1"), QStringLiteral("2")}),
              1);
    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    dialogs.Release(&owner);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], QStringLiteral("Downloaded 1 of 2 macros"));
    EXPECT_FALSE(dialogs.Holding());
    // Released: the next message opens at once and its answer counts.
    EXPECT_EQ(dialogs.ShowMessage(&owner, QStringLiteral("ok_text"), 2), 0);
    EXPECT_EQ(shown.size(), 3u);
}

}  // namespace
