// What the macro panel sends to the emulated mouse: the macro image when a saved macro is run
// by a button, the key table when a deleted macro moves the buttons bound to macros.
#include <QComboBox>

#include "devices/core/MouseKeyTable.h"
#include "keys/panel/KeySetControlUI.h"
#include "protocol/CommandCodes.h"
#include "tests/macro_panel/MacroPanelTestBase.h"

namespace {

using testsupport::MacroPanelTest;

std::vector<std::uint8_t> MacroImage(const sim::CSimulatedMouseRig& rig) {
    return rig.mouse->Firmware().Memory().macros.bytes();
}

TEST_F(MacroPanelTest, SavingAnUnboundMacroSendsNothing) {
    AddMacro();
    ChooseMenuItem("left_click");
    Click("macro_btn_save");
    EXPECT_EQ(Frames(protocol::Command::WriteMacros), 0u);
}

TEST_F(MacroPanelTest, SavingAMacroAButtonRunsSendsTheMacroImage) {
    AddMacro();
    BindButtonToMacro(3, 0);
    ChooseMenuItem("left_down");  // inserts save, and the macro is bound: sent
    ASSERT_EQ(Frames(protocol::Command::WriteMacros), 1u);
    Actions()
        ->ElementAt(0)
        ->findChild<QLineEdit*>(QStringLiteral("macro_delay"))
        ->setText(QStringLiteral("300"));
    Click("macro_btn_save");
    ASSERT_EQ(Frames(protocol::Command::WriteMacros), 2u);
    // Header (magic, length 26, one record), its offset 18, then the record: 1 event, 300 ms, left
    // down.
    const std::vector<std::uint8_t> expected = {0xAA, 0x55, 26,   0,   1, 0, 0, 0,
                                                0,    0,    0,    0,   0, 0, 0, 0,  //
                                                18,   0,                            //
                                                1,    0,    0,    0,                //
                                                0x2C, 0x01, 0x81, 0x01};
    EXPECT_EQ(MacroImage(*rig_), expected);
    EXPECT_TRUE(Dialogs().asked.empty());
}

TEST_F(MacroPanelTest, DeletingAMacroRebindsTheButtonsAndWritesTheKeyTable) {
    for (int i = 0; i < 3; ++i) {
        AddMacro();
        ChooseMenuItem("right_click");
    }
    BindButtonToMacro(3, 1);  // runs the macro deleted below
    BindButtonToMacro(4, 2);  // moves down to 1
    const KeyCode forwardDefault = Mouse().GetKeyList()[3].defaultAssignment;
    SelectMacro(1);

    // Cancelling either question keeps everything.
    for (int cancelAt : {0, 1}) {
        Dialogs().asked.clear();
        Dialogs().messageAnswers = {cancelAt == 0 ? 0 : 1, 0};
        Click("macro_btn_name_sub");
        EXPECT_EQ(Panel()->NameList()->Count(), 3);
        ASSERT_EQ(Dialogs().asked.size(), static_cast<std::size_t>(cancelAt + 1));
    }
    EXPECT_EQ(Dialogs().asked[0].text, QStringLiteral("message_text_4"));
    EXPECT_EQ(Dialogs().asked[1].text, QStringLiteral("message_text_2"));

    const std::size_t keyWrites = Frames(protocol::Command::WriteKeyTable);
    Dialogs().asked.clear();
    Dialogs().messageAnswers = {1, 1};
    Click("macro_btn_name_sub");
    EXPECT_EQ(Panel()->Library().Names(), (std::vector<std::string>{"macro_1", "macro_3"}));
    // Row 0 is selected and shown, so a save cannot wipe it.
    EXPECT_EQ(Panel()->Library().Selected(), 0);
    EXPECT_EQ(Actions()->Count(), 2);

    const auto& keys = Mouse().GetKeyList();
    EXPECT_EQ(keys[3].assignment, forwardDefault);
    EXPECT_EQ(keys[4].assignment, (KeyCode{0x70, 1, 1}));
    EXPECT_GT(Frames(protocol::Command::WriteKeyTable), keyWrites);

    // The key table on the mouse holds the moved binding in button 4's slot.
    const std::uint8_t slot = Mouse().GetButtonMap()[4];
    ASSERT_NE(slot, devices::kButtonNotPresent);
    const std::vector<std::uint8_t> table = rig_->mouse->Firmware().Memory().keyTable;
    ASSERT_GE(table.size(), 3u * slot + 3u);
    EXPECT_EQ(table[3 * slot], 0x70);
    EXPECT_EQ(table[3 * slot + 1], 1);
    EXPECT_EQ(table[3 * slot + 2], 1);

    // The macro image moved with the numbers: two records of two events.
    const std::vector<std::uint8_t> image = MacroImage(*rig_);
    ASSERT_GE(image.size(), 6u);
    EXPECT_EQ(image[4], 2);
}

// A button bound on the Keys tab and written with the key set panel's "Save" runs the device's
// copy of the macro: the macros it does not hold yet go first, and only then.
TEST_F(MacroPanelTest, SavingAButtonBoundToANewMacroSendsTheMacrosFirst) {
    const auto bindWithSave = [this](const char* key, int macro) {
        Click("key_Op_tab");
        Click(key);
        auto* functions = Find<QComboBox>("keyset_function_combo");
        ASSERT_NE(functions, nullptr);
        const int macroFunction = functions->findData(keypanel::kFnMacro);
        ASSERT_GE(macroFunction, 0);
        functions->setCurrentIndex(macroFunction);
        Q_EMIT functions->activated(macroFunction);
        auto* macros = Find<QComboBox>("keyset_macro_combo");
        ASSERT_NE(macros, nullptr);
        ASSERT_LT(macro, macros->count());
        macros->setCurrentIndex(macro);
        Q_EMIT macros->activated(macro);
        Click("key_butt_keysave");
    };
    const auto recordMacro = [this](const char* action) {
        Click("macro_Op_tab");
        AddMacro();
        ChooseMenuItem(action);  // saved with the insertion; bound to nothing yet
    };
    const auto deviceRecords = [this] {
        return rig_->mouse->Firmware().Memory().macros.RecordEventCounts();
    };
    // The macro number the device's key table gives the key (it runs it, type 0x70).
    const auto deviceMacro = [this](int key) {
        const std::uint8_t slot = Mouse().GetButtonMap()[static_cast<std::size_t>(key)];
        const std::vector<std::uint8_t> table = rig_->mouse->Firmware().Memory().keyTable;
        return table.at(3 * slot) == 0x70 ? int{table.at(3 * slot + 1)} : -1;
    };

    recordMacro("left_click");
    ASSERT_EQ(Frames(protocol::Command::WriteMacros), 0u);
    bindWithSave("key_3", 0);
    EXPECT_EQ(deviceRecords(), (std::vector<std::uint16_t>{2}));
    EXPECT_EQ(deviceMacro(3), 0);

    // A second macro, recorded and saved on the Macro tab, then bound to the wheel button.
    recordMacro("right_click");
    bindWithSave("key_2", 1);
    EXPECT_EQ(deviceRecords(), (std::vector<std::uint16_t>{2, 2}));
    EXPECT_EQ(deviceMacro(2), 1);

    // The device holds these macros already: another Save writes the buttons only.
    const std::size_t macroWrites = Frames(protocol::Command::WriteMacros);
    const std::size_t keyWrites = Frames(protocol::Command::WriteKeyTable);
    bindWithSave("key_4", 1);
    EXPECT_EQ(Frames(protocol::Command::WriteMacros), macroWrites);
    EXPECT_GT(Frames(protocol::Command::WriteKeyTable), keyWrites);
    EXPECT_EQ(deviceMacro(4), 1);
    EXPECT_TRUE(Dialogs().asked.empty());
}

}  // namespace
