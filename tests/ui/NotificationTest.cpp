#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "tests/support/ui/UiTestHarness.h"
#include "ui/ColorPalette.h"
#include "ui/ControlState.h"
#include "ui/ListContainer.h"
#include "ui/NotifyPump.h"
#include "ui/OptionButton.h"
#include "ui/PopupMenu.h"
#include "ui/TabLayout.h"
#include "ui/Timers.h"

namespace {

using testsupport::RecordingWindow;

class NotificationTest : public testsupport::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window_ = OpenWindow(QStringLiteral("XML_CONTRACT"));
        ASSERT_NE(window_, nullptr);
    }

    template <class T>
    T* Control(const char* name) {
        T* control = window_->FindControl<T>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    RecordingWindow* window_ = nullptr;
};

TEST_F(NotificationTest, WindowInitArrivesOnceWhenFirstShown) {
    ASSERT_EQ(window_->Of(QStringLiteral("windowinit")).size(), 1u);
    EXPECT_EQ(window_->Of(QStringLiteral("windowinit"))[0].sender, window_);
    window_->hide();
    window_->show();
    EXPECT_EQ(window_->Of(QStringLiteral("windowinit")).size(), 1u);
}

TEST_F(NotificationTest, ButtonClickNotifiesClickWithTheButtonAsSender) {
    window_->Clear();
    auto* button = Control<QPushButton>("contract_click_btn");
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(window_->Trail(), QStringList{QStringLiteral("click:contract_click_btn")});
    EXPECT_EQ(window_->received[0].sender, button);

    // Pressing and leaving the button before release is no click.
    window_->Clear();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
    EXPECT_TRUE(window_->received.empty());
}

TEST_F(NotificationTest, GroupedOptionNotifiesOnlyWhenItBecomesSelected) {
    auto* first = Control<ui::OptionButton>("contract_group_option_0");
    auto* second = Control<ui::OptionButton>("contract_group_option_1");
    window_->Clear();
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(window_->Trail(),
              (QStringList{QStringLiteral("click:contract_group_option_0"),
                           QStringLiteral("selectchanged:contract_group_option_0")}));
    window_->Clear();
    QTest::mouseClick(second, Qt::LeftButton);
    // The option that lost the selection says nothing.
    EXPECT_EQ(window_->Trail(),
              (QStringList{QStringLiteral("click:contract_group_option_1"),
                           QStringLiteral("selectchanged:contract_group_option_1")}));
    EXPECT_FALSE(first->IsSelected());
    EXPECT_TRUE(second->IsSelected());
    window_->Clear();
    QTest::mouseClick(second, Qt::LeftButton);
    // Clicking the selected option keeps it selected: a click, no change.
    EXPECT_EQ(window_->Trail(), QStringList{QStringLiteral("click:contract_group_option_1")});
    EXPECT_TRUE(second->IsSelected());
}

TEST_F(NotificationTest, QtRadioButtonsFollowTheGroupedRule) {
    auto* left = Control<QRadioButton>("contract_radio_0");
    auto* right = Control<QRadioButton>("contract_radio_1");
    ASSERT_TRUE(left->isChecked());
    window_->Clear();
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged")).size(), 1u);
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"))[0].sender, right);
    // Arrow keys move the choice within the group: the newly selected one notifies.
    window_->Clear();
    right->setFocus();
    QTest::keyClick(right, Qt::Key_Left);
    ASSERT_TRUE(left->isChecked());
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged")).size(), 1u);
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"))[0].sender, left);
}

TEST_F(NotificationTest, UngroupedCheckNotifiesEveryChange) {
    auto* check = Control<QCheckBox>("contract_check");
    window_->Clear();
    QTest::mouseClick(check, Qt::LeftButton);
    QTest::mouseClick(check, Qt::LeftButton);
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"), QStringLiteral("contract_check")).size(),
              3u);
    EXPECT_TRUE(check->isChecked());

    // An option without a group toggles like a check box.
    auto* option = new ui::OptionButton(window_->Root());
    option->setObjectName(QStringLiteral("loose_option"));
    option->setText(QStringLiteral("loose"));
    option->show();
    ui::AttachPumpToControl(option);
    window_->Clear();
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseClick(option, Qt::LeftButton);
    EXPECT_EQ(window_->Of(QStringLiteral("selectchanged"), QStringLiteral("loose_option")).size(),
              2u);
    EXPECT_FALSE(option->IsSelected());
}

TEST_F(NotificationTest, SliderDragReportsMovesThenTheReleasedValue) {
    auto* slider = Control<QSlider>("contract_slider");
    window_->Clear();
    testsupport::DragSlider(slider, 80);
    const auto moves =
        window_->Of(QStringLiteral("movevaluechanged"), QStringLiteral("contract_slider"));
    const auto values =
        window_->Of(QStringLiteral("valuechanged"), QStringLiteral("contract_slider"));
    EXPECT_GE(moves.size(), 2u);
    ASSERT_EQ(values.size(), 1u);
    // The release comes last and carries the final value.
    EXPECT_EQ(window_->received.back().type, QStringLiteral("valuechanged"));
    EXPECT_NEAR(slider->value(), 80, 3);
}

TEST_F(NotificationTest, SliderKeyWheelAndPageStepsReportValueChanged) {
    auto* slider = Control<QSlider>("contract_slider");
    slider->setFocus();
    window_->Clear();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(window_->Trail(), (QStringList{QStringLiteral("valuechanged:contract_slider"),
                                             QStringLiteral("valuechanged:contract_slider")}));
    EXPECT_EQ(slider->value(), 51);
    // At the end of the range a key changes nothing and says nothing; nor does the next change
    // from code.
    slider->setValue(slider->maximum());
    window_->Clear();
    QTest::keyClick(slider, Qt::Key_Right);
    slider->setValue(10);
    EXPECT_TRUE(window_->received.empty());
    // The wheel.
    const QPoint centre = slider->rect().center();
    QWheelEvent wheel(centre, slider->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    EXPECT_EQ(window_->Trail(), QStringList{QStringLiteral("valuechanged:contract_slider")});
}

TEST_F(NotificationTest, ComboChosenByTheUserNotifiesItemSelect) {
    auto* combo = Control<QComboBox>("contract_combo");
    combo->setFocus();
    window_->Clear();
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(window_->Trail(), QStringList{QStringLiteral("itemselect:contract_combo")});
    EXPECT_EQ(window_->received[0].wParam, 1);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Breathing"));
}

TEST_F(NotificationTest, EditNotifiesTypingReturnAndFocusLoss) {
    auto* edit = Control<QLineEdit>("contract_edit");
    auto* other = Control<QComboBox>("contract_combo");
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    window_->Clear();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    other->setFocus();
    EXPECT_EQ(window_->Trail(), (QStringList{QStringLiteral("textchanged:contract_edit"),
                                             QStringLiteral("textchanged:contract_edit"),
                                             QStringLiteral("return:contract_edit"),
                                             QStringLiteral("killfocus:contract_edit")}));
}

TEST_F(NotificationTest, EditLeftNotifiesKillFocusEvenWhenTheValidatorRejectsTheText) {
    auto* edit = Control<QLineEdit>("contract_edit");
    edit->setValidator(new QIntValidator(100, 26000, edit));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("5"));  // intermediate: editingFinished never comes
    window_->Clear();
    Control<QComboBox>("contract_combo")->setFocus();
    EXPECT_EQ(window_->Trail(), QStringList{QStringLiteral("killfocus:contract_edit")});
}

TEST_F(NotificationTest, APopupOverTheEditDoesNotLeaveIt) {
    auto* edit = Control<QLineEdit>("contract_edit");
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    window_->Clear();
    QMenu* menu = ui::ShowPopupMenu(QStringLiteral("XML_TRAY_MENU"), window_,
                                    window_->mapToGlobal(QPoint(5, 5)));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window_->Of(QStringLiteral("killfocus")).empty());
}

TEST_F(NotificationTest, PaletteNotifiesTheChosenColourOnRelease) {
    auto* palette = Control<ui::ColorPalette>("contract_palette");
    window_->Clear();
    const QPoint at(9, 9);  // top left of the field: red, full saturation
    QTest::mousePress(palette, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(window_->received.empty());
    QTest::mouseRelease(palette, Qt::LeftButton, Qt::NoModifier, at);
    const auto changes =
        window_->Of(QStringLiteral("colorchanged"), QStringLiteral("contract_palette"));
    ASSERT_EQ(changes.size(), 1u);
    const QColor chosen = QColor::fromRgba(static_cast<QRgb>(changes[0].wParam));
    EXPECT_EQ(chosen.rgba(), palette->Color().rgba());
    EXPECT_GT(chosen.red(), 200);
    EXPECT_LT(chosen.blue(), 60);
}

TEST_F(NotificationTest, ListRowChosenByMouseOrKeysNotifiesItemSelect) {
    auto* list = Control<ui::ListContainer>("contract_list");
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(list->AddFromLayout(QStringLiteral("XML_CONTRACT_LIST_ITEM")), nullptr);
    }
    QTest::qWait(1);
    window_->Clear();
    QTest::mouseClick(list->ElementAt(1), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(window_->Trail(), (QStringList{QStringLiteral("itemselect:contract_list"),
                                             QStringLiteral("itemclick:")}));
    EXPECT_EQ(window_->received[0].wParam, 1);
    EXPECT_EQ(list->CurrentSel(), 1);
    window_->Clear();
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(window_->Trail(), QStringList{QStringLiteral("itemselect:contract_list")});
    EXPECT_EQ(window_->received[0].wParam, 2);
    // Rows made at run time are attached: their named edits report.
    auto* delay = list->ElementAt(0)->findChild<QLineEdit*>(QStringLiteral("delay_edit"));
    ASSERT_NE(delay, nullptr);
    delay->setFocus();
    window_->Clear();
    QTest::keyClick(delay, Qt::Key_Return);
    EXPECT_EQ(window_->Trail(), QStringList{QStringLiteral("return:delay_edit")});
}

TEST_F(NotificationTest, QtListWidgetChosenByTheUserNotifiesButNotFromCode) {
    auto* list = new QListWidget(window_->Root());
    list->setObjectName(QStringLiteral("plain_list"));
    list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    list->setGeometry(0, 0, 200, 120);
    list->show();
    ui::AttachPumpToControl(list);
    list->setCurrentRow(0);
    window_->Clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(2)).center());
    ASSERT_EQ(window_->Trail(), QStringList{QStringLiteral("itemselect:plain_list")});
    EXPECT_EQ(window_->received[0].wParam, 2);
    QCoreApplication::processEvents();
    window_->Clear();
    list->setCurrentRow(1);
    EXPECT_TRUE(window_->received.empty());
}

TEST_F(NotificationTest, TimersFireWithTheirIdsAndSingleShotsOnce) {
    auto* button = Control<QPushButton>("contract_click_btn");
    window_->Clear();
    ui::SetTimer(button, 1001, 10, ui::TimerMode::SingleShot);
    window_->SetTimer(1055, 10, /*singleShot=*/false);
    const auto windowTimers = [this] {
        std::vector<ui::Notification> fromWindow;
        for (const auto& n : window_->Of(QStringLiteral("timer"))) {
            if (n.sender == window_) {
                fromWindow.push_back(n);
            }
        }
        return fromWindow;
    };
    // Waits for the events, not for a time: a loaded machine may fire a repeating timer
    // only once in any given span.
    EXPECT_TRUE(QTest::qWaitFor([&] { return windowTimers().size() >= 2; }, 10000));
    testsupport::RunEventLoopFor(30);  // the single shot would fire again by now
    window_->KillTimer(1055);
    const auto controlTimers =
        window_->Of(QStringLiteral("timer"), QStringLiteral("contract_click_btn"));
    ASSERT_EQ(controlTimers.size(), 1u);
    EXPECT_EQ(controlTimers[0].wParam, 1001);
    EXPECT_EQ(controlTimers[0].sender, button);
    for (const auto& n : windowTimers()) {
        EXPECT_EQ(n.wParam, 1055);
    }
    EXPECT_FALSE(ui::IsTimerActive(window_, 1055));
    // Setting an id again restarts it; killing it before it fires means it never fires.
    window_->Clear();
    ui::SetTimer(button, 7, 30, ui::TimerMode::SingleShot);
    ui::SetTimer(button, 7, 30, ui::TimerMode::SingleShot);
    ui::KillTimer(button, 7);
    testsupport::RunEventLoopFor(60);
    EXPECT_TRUE(window_->Of(QStringLiteral("timer")).empty());
}

class SelfTimedBox : public QWidget, public ui::TimerHandler {
public:
    using QWidget::QWidget;
    void OnTimer(int id) override { fired.push_back(id); }
    std::vector<int> fired;
};

TEST_F(NotificationTest, AControlWithItsOwnTimersGetsThemAndNotTheWindow) {
    auto* box = new SelfTimedBox(window_->Root());
    box->setObjectName(QStringLiteral("self_timed"));
    auto* inner = new QPushButton(box);
    inner->setObjectName(QStringLiteral("inner_btn"));
    box->show();
    inner->show();
    ui::AttachPump(box);
    window_->Clear();
    ui::SetTimer(box, 1001, 5, ui::TimerMode::SingleShot);
    EXPECT_TRUE(QTest::qWaitFor([box] { return !box->fired.empty(); }, 10000));
    testsupport::RunEventLoopFor(20);  // a single shot fires once
    EXPECT_EQ(box->fired, std::vector<int>{1001});
    EXPECT_TRUE(window_->Of(QStringLiteral("timer")).empty());
    // Its children still notify the window.
    QTest::mouseClick(inner, Qt::LeftButton);
    EXPECT_EQ(window_->Trail(), QStringList{QStringLiteral("click:inner_btn")});
}

TEST_F(NotificationTest, MenuItemReportsItsNameToTheWindow) {
    QMenu* menu = ui::BuildPopupMenu(QStringLiteral("menu.xml"), window_);
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Settings and updates"), QStringLiteral("About"),
                                  QStringLiteral("Quit")}));
    menu->popup(window_->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    window_->Clear();
    QAction* about = menu->actions().at(1);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(about).center());
    ASSERT_EQ(window_->Trail(), QStringList{QStringLiteral("menucommand:about_menu")});
    EXPECT_EQ(window_->received[0].sender, menu);
}

TEST_F(NotificationTest, ChangesFromCodeSendNothingUnlessAsked) {
    window_->Clear();
    Control<ui::OptionButton>("contract_group_option_2")->SetSelected(true);
    Control<QCheckBox>("contract_check")->setChecked(true);
    Control<QSlider>("contract_slider")->setValue(90);
    Control<QComboBox>("contract_combo")->setCurrentIndex(2);
    Control<QLineEdit>("contract_edit")->setText(QStringLiteral("1600"));
    Control<ui::ColorPalette>("contract_palette")->SetColor(Qt::green);
    Control<ui::TabLayout>("contract_tab_layout")->SelectItem(1);
    Control<ui::ListContainer>("contract_list")->SelectItem(-1);
    EXPECT_TRUE(window_->received.empty()) << window_->Trail().join(QLatin1Char(' ')).toStdString();

    // The operations defined to notify send what the user action would.
    ui::SetSelected(Control<ui::OptionButton>("contract_group_option_0"), true, ui::Notifying::Yes);
    ui::SetSelected(Control<QCheckBox>("contract_check"), false, ui::Notifying::Yes);
    ui::SetSliderValue(Control<QSlider>("contract_slider"), 20, ui::Notifying::Yes);
    ui::SetSliderValue(Control<QSlider>("contract_slider"), 20, ui::Notifying::Yes);  // same
    ui::SetComboIndex(Control<QComboBox>("contract_combo"), 0, ui::Notifying::Yes);
    EXPECT_EQ(window_->Trail(),
              (QStringList{QStringLiteral("selectchanged:contract_group_option_0"),
                           QStringLiteral("selectchanged:contract_check"),
                           QStringLiteral("valuechanged:contract_slider"),
                           QStringLiteral("itemselect:contract_combo")}));
    EXPECT_FALSE(Control<ui::OptionButton>("contract_group_option_2")->IsSelected());
}

}  // namespace
