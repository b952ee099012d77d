// The macro list and the action list commands of the macro panel in the main window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFocusEvent>
#include <QMenu>

#include "base/AtomicFile.h"
#include "profiles/JsonFile.h"
#include "tests/macro_panel/MacroPanelTestBase.h"
#include "ui/LanguageTexts.h"

namespace {

using testsupport::MacroPanelTest;

std::vector<std::string> Names(const macros::CMacroLibrary& library) {
    return library.Names();
}

TEST_F(MacroPanelTest, CreateAndRenameFollowTheListRules) {
    AddMacro();
    AddMacro();
    EXPECT_EQ(Names(Panel()->Library()), (std::vector<std::string>{"macro_1", "macro_2"}));
    EXPECT_EQ(Panel()->NameList()->Count(), 2);
    EXPECT_EQ(Panel()->Library().Selected(), 1);
    EXPECT_TRUE(Find("macro_action_layout")->isEnabled());

    struct Case {
        const char* text;
        const char* message;  // nullptr: renamed
        bool listUnwritable;
    };
    const Case cases[] = {
        {"", "message_text_25", false},
        {"MACRO_1", "message_text_5", false},
        {"macro_2", "message_text_5", false},  // its own name counts as taken
        // A free name that cannot be stored is told as such, not as a name in use.
        {"Reload", "macro_list_write_failed_text", true},
        {"Reload", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Dialogs().asked.clear();
        Find<QLineEdit>("macro_edit_macroname")->setText(QString::fromLatin1(c.text));
        files::SetFailBeforeRenameForTesting(c.listUnwritable);
        Click("macro_btn_name_edit");
        files::SetFailBeforeRenameForTesting(false);
        if (c.message != nullptr) {
            ASSERT_EQ(Dialogs().asked.size(), 1u);
            EXPECT_EQ(Dialogs().asked[0].text, QLatin1String(c.message));
            EXPECT_NE(ui::Text(QLatin1String(c.message)), QLatin1String(c.message));
            EXPECT_EQ(Names(Panel()->Library()), (std::vector<std::string>{"macro_1", "macro_2"}));
        } else {
            EXPECT_TRUE(Dialogs().asked.empty());
            EXPECT_EQ(Names(Panel()->Library()), (std::vector<std::string>{"macro_1", "Reload"}));
            EXPECT_TRUE(Find<QLineEdit>("macro_edit_macroname")->text().isEmpty());
            EXPECT_EQ(Mouse().GetMacroNames(), (std::vector<std::string>{"macro_1", "Reload"}));
            // The key set panel offers the new name for a button.
            auto* keyMacros = Find<QComboBox>("keyset_macro_combo");
            ASSERT_NE(keyMacros, nullptr);
            ASSERT_EQ(keyMacros->count(), 2);
            EXPECT_EQ(keyMacros->itemText(1), QStringLiteral("Reload"));
        }
    }
}

TEST_F(MacroPanelTest, LeftClickOnAnEmptyListInsertsDownThenUpAndSaves) {
    AddMacro();
    ChooseMenuItem("left_click");
    ASSERT_EQ(Actions()->Count(), 2);
    EXPECT_EQ(Row(0).name, ui::Text(QStringLiteral("mouse_key_left")));
    EXPECT_EQ(Delays(), (std::vector<QString>{QStringLiteral("50"), QStringLiteral("50")}));
    // The row and its delay field as the list shows them: 30 and 25 pixels, up to 6 digits.
    auto* row = qobject_cast<macropanel::CActionRow*>(Actions()->ElementAt(0));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->objectName(), QStringLiteral("macro_action"));
    EXPECT_EQ(row->height(), 30);
    EXPECT_EQ(row->DelayEdit()->height(), 25);
    EXPECT_EQ(row->DelayEdit()->maxLength(), 6);
    const Json::Value file = SelectedMacroFile();
    ASSERT_EQ(file["Events"].size(), 2u);
    EXPECT_EQ(file["Events"][0]["Action"].asString(), "down");
    EXPECT_EQ(file["Events"][1]["Action"].asString(), "up");
    EXPECT_EQ(file["Events"][0]["Button"].asInt(), 1);
    EXPECT_EQ(file["Events"][0]["Delay"].asString(), "50");
}

TEST_F(MacroPanelTest, MovesInsertTheEditsDistanceLimitedToItsLowByte) {
    AddMacro();
    struct Case {
        const char* button;
        const char* edit;
        const char* text;
        int type;
        const char* action;
        int distance;
    };
    const Case cases[] = {
        {"macro_inset_moveleftkey_btn", "mouse_x_left_edit", "300", 4, "down", 44},
        {"macro_inset_moverightkey_btn", "mouse_x_right_edit", "255", 4, "up", 255},
        {"macro_inset_moveupkey_btn", "mouse_y_up_edit", "7", 5, "down", 7},
        {"macro_inset_movedownkey_btn", "mouse_y_down_edit", "0", 5, "up", 0},
    };
    for (const Case& c : cases) {
        Find<QLineEdit>(c.edit)->setText(QString::fromLatin1(c.text));
        Click(c.button);
    }
    const Json::Value events = SelectedMacroFile()["Events"];
    ASSERT_EQ(events.size(), 4u);
    // Each insert goes after the selected row, which is the previous insert.
    for (Json::ArrayIndex i = 0; i < 4; ++i) {
        SCOPED_TRACE(cases[i].button);
        EXPECT_EQ(events[i]["Type"].asInt(), cases[i].type);
        EXPECT_EQ(events[i]["Action"].asString(), cases[i].action);
        EXPECT_EQ(events[i]["Button"].asInt(), cases[i].distance);
    }
    EXPECT_EQ(Row(0).second, QStringLiteral("44"));
    EXPECT_EQ(Row(0).name, ui::Text(QStringLiteral("mouse_move_to_left_text")));
}

TEST_F(MacroPanelTest, MovingTheFirstRowUpChangesNothingButSaves) {
    AddMacro();
    ChooseMenuItem("left_down");
    ChooseMenuItem("right_down");
    // Delay typed but not yet saved: the save of the move keeps it.
    SelectAction(0);
    Actions()
        ->ElementAt(0)
        ->findChild<QLineEdit*>(QStringLiteral("macro_delay"))
        ->setText(QStringLiteral("120"));
    Click("macro_btn_up");
    EXPECT_EQ(Actions()->CurrentSel(), 0);
    Json::Value events = SelectedMacroFile()["Events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["Button"].asInt(), 1);
    EXPECT_EQ(events[0]["Delay"].asString(), "120");

    // The pause travels with its event.
    Click("macro_btn_downbottom");
    events = SelectedMacroFile()["Events"];
    EXPECT_EQ(events[1]["Button"].asInt(), 1);
    EXPECT_EQ(events[1]["Delay"].asString(), "120");
    EXPECT_EQ(Row(1).delay, QStringLiteral("120"));
    EXPECT_EQ(Actions()->CurrentSel(), 1);
}

TEST_F(MacroPanelTest, DeleteAllLeavesAFileWithoutEventsThatLoadsEmpty) {
    AddMacro();
    ChooseMenuItem("middle_click");
    ASSERT_EQ(SelectedMacroFile()["Events"].size(), 2u);
    Click("macro_btn_deleteall");
    EXPECT_EQ(Actions()->Count(), 0);
    const Json::Value file = SelectedMacroFile();
    EXPECT_FALSE(file.isMember("Events"));
    EXPECT_EQ(file["MacroName"].asString(), "macro_1");
    EXPECT_EQ(file["Version"].asInt(), 64);
    Click("macro_btn_cancel");
    EXPECT_EQ(Actions()->Count(), 0);
}

TEST_F(MacroPanelTest, CancelDropsUnsavedDelays) {
    AddMacro();
    ChooseMenuItem("left_up");
    Actions()
        ->ElementAt(0)
        ->findChild<QLineEdit*>(QStringLiteral("macro_delay"))
        ->setText(QStringLiteral("999"));
    Click("macro_btn_cancel");
    EXPECT_EQ(Delays(), (std::vector<QString>{QStringLiteral("50")}));
}

TEST_F(MacroPanelTest, ExportAndImportCopyTheFile) {
    AddMacro();
    ChooseMenuItem("back_click");
    const std::string exported = xdgRoot_ + "/exported.mac";
    Dialogs().saveAnswers.push_back(QString::fromStdString(exported));
    Click("macro_btn_export");
    ASSERT_TRUE(QFile::exists(QString::fromStdString(exported)));

    Dialogs().openAnswers.push_back(QString::fromStdString(exported));
    Click("macro_btn_import");
    EXPECT_EQ(Names(Panel()->Library()), (std::vector<std::string>{"macro_1", "macro_2"}));
    EXPECT_EQ(Panel()->Library().Selected(), 1);
    ASSERT_EQ(Actions()->Count(), 2);
    EXPECT_EQ(Row(1).name, ui::Text(QStringLiteral("mouse_key_back")));

    // A cancelled dialog changes nothing.
    Click("macro_btn_import");
    EXPECT_EQ(Panel()->NameList()->Count(), 2);
}

TEST_F(MacroPanelTest, ARowsContextMenuInsertsAfterThatRow) {
    AddMacro();
    ChooseMenuItem("left_down");
    ChooseMenuItem("right_down");
    ASSERT_EQ(Actions()->Count(), 2);
    QWidget* row = Actions()->ElementAt(0);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(4, 4),
                              row->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(row, &request);
    EXPECT_EQ(Actions()->CurrentSel(), 0);
    auto* menu = Panel()->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    auto* item = menu->findChild<QAction*>(QStringLiteral("middle_click"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    const Json::Value events = SelectedMacroFile()["Events"];
    ASSERT_EQ(events.size(), 4u);
    const int buttons[] = {1, 4, 4, 2};
    for (Json::ArrayIndex i = 0; i < 4; ++i) {
        EXPECT_EQ(events[i]["Button"].asInt(), buttons[i]) << i;
    }
}

TEST_F(MacroPanelTest, ADelayFieldSavesWhenItLosesFocus) {
    AddMacro();
    ChooseMenuItem("left_up");
    auto* delay = Actions()->ElementAt(0)->findChild<QLineEdit*>(QStringLiteral("macro_delay"));
    ASSERT_NE(delay, nullptr);
    delay->setText(QStringLiteral("77"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(delay, &out);
    EXPECT_EQ(SelectedMacroFile()["Events"][0]["Delay"].asString(), "77");
}

TEST_F(MacroPanelTest, AMacroImageTooLargeForTheMouseIsReported) {
    // 1100 events: 16 + 6 + 4400 bytes, 326 over the mouse's 4096: 82 events too many.
    Json::Value document;
    for (int i = 0; i < 1100; ++i) {
        Json::Value event;
        event["Action"] = i % 2 == 0 ? "down" : "up";
        event["Button"] = 4;
        event["Type"] = 10;
        event["Delay"] = "10";
        document["Events"].append(event);
    }
    const std::string path = xdgRoot_ + "/long.mac";
    CJsonFile json;
    ASSERT_TRUE(json.writejsonFile(path, document));
    Dialogs().openAnswers.push_back(QString::fromStdString(path));
    Click("macro_btn_import");
    ASSERT_EQ(Actions()->Count(), 1100);
    BindButtonToMacro(3, 0);
    Dialogs().asked.clear();
    Click("macro_btn_save");
    ASSERT_EQ(Dialogs().asked.size(), 1u);
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("message_text_16"));
    EXPECT_EQ(Dialogs().asked[0].args, QStringList{QStringLiteral("82")});
}

}  // namespace
