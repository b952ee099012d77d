// The main window over the emulated mouse as a user sees it: on every function tab, with the
// profile buttons shown and hidden, no control is cut off by the card or row it sits in and no
// caption by its own control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
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

std::string NameOf(const QWidget* w) {
    if (!w->objectName().isEmpty()) {
        return w->objectName().toStdString();
    }
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (!p->objectName().isEmpty()) {
            return std::string("a ") + w->metaObject()->className() + " in " +
                   p->objectName().toStdString();
        }
    }
    return w->metaObject()->className();
}

// Inside a scrolled view a child may lie outside its parent: the view scrolls it into sight.
bool IsScrolled(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget());
        if (area != nullptr && area->viewport() == p) {
            return true;
        }
    }
    return false;
}

// The width a button's caption has inside its padding and border.
int CaptionRoom(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// Every shown control lies inside the control it sits in (a card, a row), and every caption of
// a button or label fits it.
void ExpectNothingCutOff(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow() || IsScrolled(w)) {
            continue;
        }
        const QWidget* parent = w->parentWidget();
        EXPECT_TRUE(parent->rect().contains(w->geometry()))
            << NameOf(w) << " at " << Text(w->geometry()) << " lies outside " << NameOf(parent)
            << " " << Text(parent->rect());
        // A row or card given less room than its controls need squeezes them together.
        if (w->layout() != nullptr) {
            const QSize need = w->layout()->totalMinimumSize();
            EXPECT_TRUE(w->width() >= need.width() && w->height() >= need.height())
                << NameOf(w) << " " << Text(w->rect()) << " needs " << need.width() << "x"
                << need.height();
        }
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (button != nullptr && !button->text().isEmpty() &&
            (qobject_cast<QPushButton*>(w) != nullptr || w->inherits("ui::PictureButton"))) {
            EXPECT_GE(CaptionRoom(button), button->fontMetrics().horizontalAdvance(button->text()))
                << NameOf(w) << " cuts \"" << button->text().toStdString() << "\"";
        }
        auto* label = qobject_cast<QLabel*>(w);
        if (label != nullptr && !label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << NameOf(w);
        }
    }
}

TEST_F(MainWindowLayoutTest, EveryTabShowsEveryControlWhole) {
    OnEveryTab([&] { ExpectNothingCutOff(window_.get()); });
}

// Controls stacked in rows or set side by side in columns share their outer edges, so a panel
// reads as one grid.
TEST_F(MainWindowLayoutTest, RowsAndColumnsShareTheirEdges) {
    enum Edge { Left, Right, Bottom };
    const struct {
        const char* tab;
        const char* a;
        const char* b;
        Edge edge;
    } pairs[] = {
        {"macro_Op_tab", "macro_edit_macroname", "macro_btn_name_add", Left},
        {"macro_Op_tab", "macro_btn_name_edit", "macro_btn_export", Right},
        {"macro_Op_tab", "macro_btn_save", "mouse_y_down_edit", Right},
        {"macro_Op_tab", "macro_btn_uptop", "macro_inset_moveleftkey_btn", Left},
        {"system_Op_tab", "polling_rate_option_4", "windowdeviceset_1", Bottom},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(std::string(pair.a) + " and " + pair.b);
        Click(pair.tab);
        QWidget* a = window_->FindControl(QString::fromLatin1(pair.a));
        QWidget* b = window_->FindControl(QString::fromLatin1(pair.b));
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        const QRect ra(a->mapTo(window_.get(), QPoint(0, 0)), a->size());
        const QRect rb(b->mapTo(window_.get(), QPoint(0, 0)), b->size());
        switch (pair.edge) {
            case Left:
                EXPECT_EQ(ra.left(), rb.left());
                break;
            case Right:
                EXPECT_EQ(ra.right(), rb.right());
                break;
            case Bottom:
                EXPECT_EQ(ra.bottom(), rb.bottom());
                break;
        }
    }
}

}  // namespace
