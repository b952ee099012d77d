// The main window over the emulated mouse as a user sees it at 100 %: on every function tab,
// with the profile buttons shown and hidden, nothing is cut off.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLayout>
#include <QTest>
#include <string>

#include "tests/support/ui/MainWindowTest.h"

namespace {

class MainWindowLayoutTest : public testsupport::MainWindowTest {
protected:
    void Click(const char* name) {
        auto* button = window_->FindControl<QAbstractButton>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // Runs check on every function tab, first without, then with the profile buttons.
    template <class Check>
    void OnEveryTab(Check check) {
        for (const bool profileButtons : {false, true}) {
            if (profileButtons) {
                Click("profile_fun_spread_btn");
            }
            for (const char* tab :
                 {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab"}) {
                SCOPED_TRACE(std::string(tab) +
                             (profileButtons ? " with the profile buttons" : ""));
                Click(tab);
                check();
            }
        }
    }
};

std::string Text(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

TEST_F(MainWindowLayoutTest, TheMousePictureStaysWholeInsideItsCard) {
    QWidget* card = window_->FindControl(QStringLiteral("mouse_device_card"));
    QWidget* picture = window_->FindControl(QStringLiteral("mouse_device_seting_layout"));
    ASSERT_NE(card, nullptr);
    ASSERT_NE(picture, nullptr);
    OnEveryTab([&] {
        const QRect inside = card->contentsRect().marginsRemoved(card->layout()->contentsMargins());
        const QRect at(picture->mapTo(card, QPoint(0, 0)), picture->size());
        EXPECT_TRUE(inside.contains(at)) << Text(at) << " in " << Text(inside);
    });
}

}  // namespace
