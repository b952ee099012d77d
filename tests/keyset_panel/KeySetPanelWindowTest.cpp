// The key set panel in the assembled main window over the emulated mouse: keys chosen in the
// picture, changes made in the panel's real controls and routed through the window, and the key
// table the mouse receives when the panel saves.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <array>
#include <cstdlib>
#include <fstream>

#include "devices/core/MouseDeviceCore.h"
#include "keys/panel/KeySetControlUI.h"
#include "tests/support/ui/MainWindowTest.h"
#include "ui/LanguageTexts.h"
#include "ui/TabLayout.h"

namespace {

using keypanel::CKeySetControlUI;
using Code = std::array<std::uint8_t, 3>;

// XKB keycodes as X11 and Wayland deliver them (Linux input code + 8).
constexpr quint32 kXkbRightCtrl = 97 + 8;
constexpr quint32 kXkbA = 30 + 8;
constexpr quint32 kXkbB = 48 + 8;

class KeySetPanelWindowTest : public testsupport::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        Click("key_Op_tab");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Mouse().GetKeyList().empty(); }, kWaitMs));
    }

    devices::CMouseDeviceCore& Mouse() const {
        return dynamic_cast<devices::CMouseDeviceCore&>(switcher_->CurrentDevice()->Core());
    }
    template <class T = QWidget>
    T* Find(const char* name) const {
        return window_->FindControl<T>(QString::fromLatin1(name));
    }
    CKeySetControlUI* Panel() const { return Find<CKeySetControlUI>("KeySetControlItem"); }

    void Click(const char* name) {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Gives key index a code in the key list, as an earlier session would have left it.
    void Assign(int key, Code code) { ASSERT_TRUE(Mouse().SetKeyAssignment(key, code)); }
    Code Assigned(int key) const { return Mouse().GetKeyList().at(key).assignment; }

    // The user picks an item of a drop-down list.
    void Choose(const char* combo, int item) {
        auto* box = Find<QComboBox>(combo);
        ASSERT_NE(box, nullptr) << combo;
        ASSERT_LT(item, box->count()) << combo;
        box->setCurrentIndex(item);
        Q_EMIT box->activated(item);
    }
    void ChooseFunction(int function) {
        auto* box = Find<QComboBox>("keyset_function_combo");
        ASSERT_NE(box, nullptr);
        Choose("keyset_function_combo", box->findData(function));
    }
    // The user types into a field and leaves it.
    void Type(const char* edit, const QString& text) {
        auto* field = Find<QLineEdit>(edit);
        ASSERT_NE(field, nullptr) << edit;
        field->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }
    void PressKey(quint32 xkbKeycode, int qtKey) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, xkbKeycode, 0, 0);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, xkbKeycode, 0, 0);
        QApplication::sendEvent(target, &release);
    }

    void FocusKeyField() {
        auto* field = Find<QLineEdit>("keyset_keyboard_text_edit");
        ASSERT_NE(field, nullptr);
        window_->activateWindow();
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, kWaitMs));
    }

    // The three bytes of key index in the emulated mouse's key table.
    Code DeviceCode(int key) const {
        const std::size_t slot = Mouse().GetButtonMap().at(static_cast<std::size_t>(key));
        const std::vector<std::uint8_t> table = rig_->mouse->Firmware().Memory().keyTable;
        if (slot * 3 + 3 > table.size()) {
            return {0xFF, 0xFF, 0xFF};
        }
        return {table[slot * 3], table[slot * 3 + 1], table[slot * 3 + 2]};
    }
    bool Checked(int option) const {
        auto* box = window_->FindControl<QAbstractButton>(QStringLiteral("key_ComBox_check_") +
                                                          QString::number(option));
        return box != nullptr && box->isChecked();
    }
};

TEST_F(KeySetPanelWindowTest, AKeyShowsItsFunctionAndItsDefaultAsFunctionZero) {
    struct Case {
        const char* what;
        int key;
        Code code;
        int function;
        const char* list;  // the list whose selection shows it, if any
        int item;
    };
    const Case cases[] = {
        {"right button as shipped", 1, {0x10, 0x02, 0x00}, keypanel::kFnDefault, nullptr, 0},
        // The DPI-up button holds a DPI code, yet its own default shows as function 0.
        {"DPI up as shipped", 5, {0x13, 0x01, 0x00}, keypanel::kFnDefault, nullptr, 0},
        {"right button made middle",
         1,
         {0x10, 0x04, 0x00},
         keypanel::kFnMouseButton,
         "keyset_mousekey_combo",
         1},
        {"wheel button made DPI cycle",
         2,
         {0x13, 0x03, 0x00},
         keypanel::kFnDpi,
         "keyset_mousedpi_combo",
         2},
        {"forward made play", 3, {0x30, 0xCD, 0x00}, keypanel::kFnMedia, "keyset_media_combo", 1},
        {"back made sleep", 4, {0x40, 0x02, 0x00}, keypanel::kFnSystem, "keyset_system_combo", 1},
        {"back made recoil set 3",
         4,
         {0x72, 0x02, 0x00},
         keypanel::kFnGun,
         "keyset_gunkey_combo",
         2},
        {"unknown type", 1, {0x99, 0x01, 0x02}, -1, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Assign(c.key, c.code);
        Click(QStringLiteral("key_%1").arg(c.key).toLatin1().constData());
        ASSERT_TRUE(Panel()->isVisible());
        EXPECT_EQ(Panel()->SelectedFunction(), c.function);
        if (c.function >= 0) {
            EXPECT_EQ(Find<ui::TabLayout>("function_switch_tablayout")->CurrentSel(), c.function);
        }
        if (c.list != nullptr) {
            EXPECT_EQ(Find<QComboBox>(c.list)->currentIndex(), c.item);
        }
        EXPECT_FALSE(Find<QAbstractButton>("key_butt_keysave")->isEnabled());
    }
}

TEST_F(KeySetPanelWindowTest, KeyboardCodesShowTheirModifierOptionAndKey) {
    struct Case {
        const char* what;
        Code code;
        int function;
        int option;          // -1: none
        const char* keyId;   // nullptr: empty key text
        Code keptAsCurrent;  // what the panel holds as the key's current code
    };
    const Case cases[] = {
        {"plain A",
         {0x20, 0x00, 0x04},
         keypanel::kFnKeyboard,
         0,
         "keyboard_key_A",
         {0x20, 0x00, 0x04}},
        // Usage 0x32 has no key: nothing is chosen and the key reads as none.
        {"usage without a key",
         {0x20, 0x00, 0x32},
         keypanel::kFnKeyboard,
         -1,
         nullptr,
         {0x20, 0x00, 0x00}},
        {"left Shift + Z",
         {0x20, 0x02, 0x1D},
         keypanel::kFnKeyboard,
         2,
         "keyboard_key_Z",
         {0x20, 0x02, 0x1D}},
        {"right Alt + B",
         {0x20, 0x40, 0x05},
         keypanel::kFnKeyboard,
         3,
         "keyboard_key_B",
         {0x20, 0x40, 0x05}},
        {"right Win alone",
         {0x20, 0x80, 0x00},
         keypanel::kFnKeyboard,
         4,
         nullptr,
         {0x20, 0x80, 0x00}},
        {"two modifiers with right Win",
         {0x20, 0x81, 0x06},
         keypanel::kFnCombinationKey,
         -2,
         nullptr,
         {0x20, 0x81, 0x06}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Assign(2, c.code);
        Click("key_2");
        EXPECT_EQ(Panel()->SelectedFunction(), c.function);
        if (c.option >= -1) {
            EXPECT_EQ(Panel()->GetCheckedModifier(), c.option);
            EXPECT_EQ(Find<QLineEdit>("keyset_keyboard_text_edit")->text(),
                      c.keyId != nullptr ? ui::Text(QString::fromLatin1(c.keyId)) : QString());
        }
        const keys::KeyCode held = Panel()->CurrentRecord().code;
        EXPECT_EQ((Code{held.type, held.p1, held.p2}), c.keptAsCurrent);
        EXPECT_EQ(Assigned(2), c.code);  // showing never changes the key list
    }
}

TEST_F(KeySetPanelWindowTest, ASwingDelayOfTwentyKeepsFourAndReachesTheMouse) {
    Click("key_1");
    ChooseFunction(keypanel::kFnSwing);
    Choose("keyset_mouseswing_combo", 1);  // right
    Type("keyset_mouseswing_num_edit", QStringLiteral("3"));
    Type("keyset_mouseswing_speed_edit", QStringLiteral("5"));
    Type("keyset_mouseswing_delay_edit", QStringLiteral("20"));
    // Applied at once, kept to the four bits the firmware has, and shown as kept.
    EXPECT_EQ(Assigned(1), (Code{0x11, 0x45, 0x83}));
    EXPECT_EQ(Find<QLineEdit>("keyset_mouseswing_delay_edit")->text(), QStringLiteral("4"));
    EXPECT_TRUE(Find<QAbstractButton>("key_butt_keysave")->isEnabled());

    const std::size_t writes = Frames(protocol::Command::WriteKeyTable);
    Click("key_butt_keysave");
    EXPECT_GT(Frames(protocol::Command::WriteKeyTable), writes);
    EXPECT_EQ(DeviceCode(1), (Code{0x11, 0x45, 0x83}));
    EXPECT_FALSE(Find<QAbstractButton>("key_butt_keysave")->isEnabled());
}

TEST_F(KeySetPanelWindowTest, NumericFieldsKeepWhatTheFirmwareHasRoomFor) {
    struct Case {
        const char* what;
        int function;
        std::vector<std::pair<const char*, const char*>> typed;
        Code expected;
    };
    const Case cases[] = {
        {"wheel: count 200 keeps 72, speed 31 keeps 15",
         keypanel::kFnWheel,
         {{"keyset_mousewheel_num_edit", "200"},
          {"keyset_mousewheel_speed_edit", "31"},
          {"keyset_mousewheel_delay_edit", "1"}},
         {0x12, 0x1F, 0x48}},
        {"fire: interval 300 keeps 44, count 7",
         keypanel::kFnFire,
         {{"keyset_mousefire_interval_edit", "300"}, {"keyset_mousefire_num_edit", "7"}},
         {0x14, 44, 7}},
        {"text that is no number reads as 0",
         keypanel::kFnFire,
         {{"keyset_mousefire_interval_edit", ""}, {"keyset_mousefire_num_edit", "9"}},
         {0x14, 0, 9}},
    };
    Click("key_2");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChooseFunction(c.function);
        for (const auto& [edit, text] : c.typed) {
            Type(edit, QString::fromLatin1(text));
        }
        EXPECT_EQ(Assigned(2), c.expected);
    }
}

TEST_F(KeySetPanelWindowTest, RightCtrlShowsTheCtrlOptionAndIsSavedAsLeftCtrl) {
    Assign(1, {0x20, 0x10, 0x04});  // right Ctrl + A
    Click("key_1");
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnKeyboard);
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(Panel()->GetCheckedModifier(), 1);
    EXPECT_EQ(Find<QLineEdit>("keyset_keyboard_text_edit")->text(),
              ui::Text(QStringLiteral("keyboard_key_A")));

    EXPECT_EQ(Assigned(1), (Code{0x20, 0x10, 0x04}));  // showing changes nothing

    // Pressing A again applies the key as shown: the firmware gets left Ctrl.
    FocusKeyField();
    PressKey(kXkbA, Qt::Key_A);
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x01, 0x04}));
    Click("key_butt_keysave");
    EXPECT_EQ(DeviceCode(1), (Code{0x20, 0x01, 0x04}));
}

TEST_F(KeySetPanelWindowTest, KeysPressedOnTheKeyboardAreCapturedUntilThePanelIsLeft) {
    Click("key_1");
    ChooseFunction(keypanel::kFnKeyboard);
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x00, 0x00}));  // no key yet
    auto* field = Find<QLineEdit>("keyset_keyboard_text_edit");
    FocusKeyField();

    // Right Ctrl chooses the Ctrl option and, alone, means left Ctrl.
    PressKey(kXkbRightCtrl, Qt::Key_Control);
    EXPECT_TRUE(Checked(1));
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x01, 0x00}));
    // A plain key keeps the chosen modifier.
    PressKey(kXkbA, Qt::Key_A);
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(field->text(), ui::Text(QStringLiteral("keyboard_key_A")));
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x01, 0x04}));

    // Leaving the keys page ends the capture: a later key changes nothing.
    Click("macro_Op_tab");
    ASSERT_FALSE(Panel()->isVisible());
    Click("key_Op_tab");
    Click("key_1");
    PressKey(kXkbB, Qt::Key_B);
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x01, 0x04}));

    // Ctrl + A is also one of the shortcuts, and shows as that choice.
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnCombinationKey);
    EXPECT_EQ(Find<QComboBox>("keyset_combokey_combo")->currentIndex(), 8);

    // Another modifier option is applied with the key kept.
    Assign(1, {0x20, 0x01, 0x05});  // Ctrl + B
    Click("key_2");
    Click("key_1");
    ASSERT_EQ(Panel()->SelectedFunction(), keypanel::kFnKeyboard);
    Click("key_ComBox_check_2");
    EXPECT_EQ(Panel()->GetCheckedModifier(), 2);
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x02, 0x05}));
    Click("key_ComBox_check_0");
    EXPECT_EQ(Assigned(1), (Code{0x20, 0x00, 0x05}));
}

TEST_F(KeySetPanelWindowTest, TheLightPanelStepsAsideWhileAKeyIsEdited) {
    QWidget* light = Find("LightControlItem");
    ASSERT_NE(light, nullptr);
    const bool lightShown = !light->isHidden();
    Click("key_1");
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_TRUE(light->isHidden());
    // The light tab and the picture's Lighting page belong to the light panel.
    Click("deng_Op_tab");
    EXPECT_TRUE(Panel()->isHidden());
    EXPECT_EQ(!light->isHidden(), lightShown);
    Click("key_Op_tab");
    Click("key_1");
    ASSERT_TRUE(Panel()->isVisible());
    Click("mouse_device_seting_option_1");
    EXPECT_TRUE(Panel()->isHidden());
    EXPECT_EQ(!light->isHidden(), lightShown);
}

TEST_F(KeySetPanelWindowTest, TheOnlyLeftButtonIsNotOpened) {
    Click("key_1");
    ASSERT_TRUE(Panel()->isVisible());
    Click("key_0");
    ASSERT_FALSE(Dialogs().asked.empty());
    EXPECT_EQ(Dialogs().asked.back().text, QStringLiteral("message_text_6"));
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ(Assigned(0), (Code{0x10, 0x01, 0x00}));

    // With a second left button either can be changed.
    Assign(2, {0x10, 0x01, 0x00});
    const std::size_t notices = Dialogs().asked.size();
    Click("key_0");
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Dialogs().asked.size(), notices);
}

TEST_F(KeySetPanelWindowTest, DefaultShowsWithoutApplyingAndCancelShowsWhatWasApplied) {
    Click("key_3");
    ChooseFunction(keypanel::kFnDpi);
    Choose("keyset_mousedpi_combo", 1);
    ASSERT_EQ(Assigned(3), (Code{0x13, 0x02, 0x00}));

    Click("key_butt_keydefalut");
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnDefault);
    EXPECT_EQ(Assigned(3), (Code{0x13, 0x02, 0x00}));  // nothing applied yet
    EXPECT_TRUE(Find<QAbstractButton>("key_butt_keycancel")->isEnabled());

    Click("key_butt_keycancel");
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnDpi);
    EXPECT_EQ(Find<QComboBox>("keyset_mousedpi_combo")->currentIndex(), 1);
    EXPECT_FALSE(Find<QAbstractButton>("key_butt_keycancel")->isEnabled());

    // Default and then save puts the factory function back on the mouse.
    Click("key_butt_keydefalut");
    Click("key_butt_keysave");
    EXPECT_EQ(Assigned(3), (Code{0x10, 0x10, 0x00}));
    EXPECT_EQ(DeviceCode(3), (Code{0x10, 0x10, 0x00}));
}

TEST_F(KeySetPanelWindowTest, AProfileResetReturnsThePanelToIdleWithTheResetKey) {
    Click("key_3");
    ChooseFunction(keypanel::kFnDpi);
    Choose("keyset_mousedpi_combo", 2);
    ASSERT_TRUE(Panel()->Pending());
    ASSERT_EQ(Assigned(3), (Code{0x13, 0x03, 0x00}));

    Click("profile_fun_spread_btn");
    Dialogs().messageAnswers.push_back(1);
    Click("device_reset_btn");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Assigned(3) == Code{0x10, 0x10, 0x00}; }, kWaitMs));
    EXPECT_FALSE(Panel()->Pending());
    EXPECT_FALSE(Find<QAbstractButton>("key_butt_keysave")->isEnabled());
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnDefault);
}

TEST_F(KeySetPanelWindowTest, ProfileSaveWritesTheKeysAndTheProfileFile) {
    Click("key_4");
    ChooseFunction(keypanel::kFnCombinationKey);
    Choose("keyset_combokey_combo", 4);  // Ctrl + C
    EXPECT_EQ(Assigned(4), (Code{0x20, 0x01, 0x06}));

    const std::size_t writes = Frames(protocol::Command::WriteKeyTable);
    Click("key_butt_prosave");
    EXPECT_GT(Frames(protocol::Command::WriteKeyTable), writes);
    EXPECT_EQ(DeviceCode(4), (Code{0x20, 0x01, 0x06}));
    Mouse().LoadProfileState();  // the saved file, read back
    EXPECT_EQ(Assigned(4), (Code{0x20, 0x01, 0x06}));

    // A combination key is found again where it was chosen.
    Click("key_1");
    Click("key_4");
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnCombinationKey);
    EXPECT_EQ(Find<QComboBox>("keyset_combokey_combo")->currentIndex(), 4);
}

TEST_F(KeySetPanelWindowTest, AMacroRepeatedThreeHundredTimesKeepsTheLowByte) {
    {
        std::ofstream list(Mouse().DataFolder() + "macro.config");
        list << R"({"MacroInfo":[{"MacroName":"Reload"},{"MacroName":"Jump"}]})";
    }
    Mouse().ReloadNameLists();
    Click("key_3");
    ChooseFunction(keypanel::kFnMacro);
    ASSERT_EQ(Find<QComboBox>("keyset_macro_combo")->count(), 2);
    Choose("keyset_macro_combo", 1);
    Choose("keyset_macro_over_combo", 2);
    EXPECT_EQ(Assigned(3), (Code{0x70, 1, 2}));
    EXPECT_FALSE(Find<QWidget>("keyset_macro_cycle_layout")->isVisible());

    Choose("keyset_macro_over_combo", 4);
    EXPECT_TRUE(Find<QWidget>("keyset_macro_cycle_layout")->isVisible());
    Type("keyset_macro_cycle_edit", QStringLiteral("300"));
    EXPECT_EQ(Assigned(3), (Code{0x71, 1, 44}));
    EXPECT_EQ(Find<QLineEdit>("keyset_macro_cycle_edit")->text(), QStringLiteral("44"));

    // Shown again as chosen.
    Click("key_1");
    Click("key_3");
    EXPECT_EQ(Panel()->SelectedFunction(), keypanel::kFnMacro);
    EXPECT_EQ(Find<QComboBox>("keyset_macro_combo")->currentIndex(), 1);
    EXPECT_EQ(Find<QComboBox>("keyset_macro_over_combo")->currentIndex(), 4);
    EXPECT_TRUE(Find<QWidget>("keyset_macro_cycle_layout")->isVisible());
    EXPECT_EQ(Find<QLineEdit>("keyset_macro_cycle_edit")->text(), QStringLiteral("44"));
}

// Every function's page fits the card: each control is inside the panel and no caption is
// cut. ZORVATH_KEYSET_SHOTS=<folder> also keeps a picture of each page for a look.
TEST_F(KeySetPanelWindowTest, EveryFunctionPageFitsTheCard) {
    Click("key_2");
    const char* shots = std::getenv("ZORVATH_KEYSET_SHOTS");
    CKeySetControlUI* panel = Panel();
    for (int function = 0; function < keypanel::kFunctionCount; ++function) {
        SCOPED_TRACE(function);
        ChooseFunction(function);
        if (function == keypanel::kFnMacro) {
            Choose("keyset_macro_over_combo", 4);  // with its repeat count row
        }
        QApplication::processEvents();
        const QRect inside = panel->rect();
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(panel) || w->objectName().isEmpty()) {
                continue;
            }
            const QRect r(w->mapTo(panel, QPoint(0, 0)), w->size());
            EXPECT_TRUE(inside.contains(r)) << w->objectName().toStdString();
            auto* label = qobject_cast<QLabel*>(w);
            if (label != nullptr && !label->wordWrap() && !label->text().isEmpty()) {
                EXPECT_GE(label->width(), label->sizeHint().width())
                    << w->objectName().toStdString();
            }
        }
        if (shots != nullptr) {
            window_->grab().save(QString::fromLocal8Bit(shots) +
                                 QStringLiteral("/keyset-%1.png").arg(function));
        }
    }
}

}  // namespace
