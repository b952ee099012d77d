// Recording in the main window: real key and mouse events pass the capture hook, the router
// and the panel's recorder into the action list.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include "keys/panel/KeySetControlUI.h"
#include "macros/hook/RecordingMessages.h"
#include "protocol/CommandCodes.h"
#include "tests/macro_panel/MacroPanelTestBase.h"
#include "ui/LanguageTexts.h"

namespace {

constexpr quint32 kXkbA = 38;
constexpr quint32 kXkbB = 56;
constexpr quint32 kXkbPlayPause = 172;

class MacroRecordingTest : public testsupport::MacroRecordingPanelTest {
protected:
    void Press(int qtKey, quint32 xkb, bool autoRepeat = false) {
        SendKey(QEvent::KeyPress, qtKey, xkb, autoRepeat);
    }
    void Release(int qtKey, quint32 xkb) { SendKey(QEvent::KeyRelease, qtKey, xkb); }
};

TEST_F(MacroRecordingTest, AHeldKeyGivesOneDownRowAndThePauseLandsOnIt) {
    Click("macro_btn_starredio");
    ASSERT_TRUE(Panel()->IsRecording());
    EXPECT_FALSE(Find("macro_btn_starredio")->isVisible());
    EXPECT_TRUE(Find("macro_btn_stopredio")->isVisible());
    EXPECT_TRUE(
        Find<QAbstractButton>("macro_btn_stopredio")->text().endsWith(QStringLiteral(" 0:00")));
    EXPECT_FALSE(Find("macro_tab_macroaction_edit")->isEnabled());
    EXPECT_TRUE(Find("macro_name_tab")->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(Find("device_select_layout")->isEnabled());

    Press(Qt::Key_A, kXkbA);
    for (int i = 0; i < 3; ++i) {
        now_ += 100;
        Press(Qt::Key_A, kXkbA, true);
    }
    EXPECT_EQ(Actions()->Count(), 1);
    EXPECT_EQ(Delays(), (std::vector<QString>{QStringLiteral("0")}));
    now_ = 1300;
    Release(Qt::Key_A, kXkbA);
    ASSERT_EQ(Actions()->Count(), 2);
    EXPECT_EQ(Delays(), (std::vector<QString>{QStringLiteral("300"), QStringLiteral("0")}));
    EXPECT_FALSE(Row(0).name.isEmpty());
    EXPECT_EQ(Row(0).name, Row(1).name);
    EXPECT_NE(Row(0).second, Row(1).second);
    EXPECT_EQ(Actions()->CurrentSel(), 1);

    // The stop button's own click is not recorded; stopping saves.
    Click("macro_btn_stopredio");
    EXPECT_FALSE(Panel()->IsRecording());
    EXPECT_EQ(Actions()->Count(), 2);
    EXPECT_TRUE(Find("macro_btn_starredio")->isVisible());
    EXPECT_TRUE(Find("macro_tab_macroaction_edit")->isEnabled());
    EXPECT_TRUE(Find("device_select_layout")->isEnabled());
    const Json::Value events = SelectedMacroFile()["Events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["Type"].asInt(), 10);
    EXPECT_EQ(events[0]["Button"].asInt(), 4);  // usage of A
    EXPECT_EQ(events[0]["Delay"].asString(), "300");
    EXPECT_EQ(events[1]["Action"].asString(), "up");

    // Keys typed after stopping reach the window again and record nothing.
    Press(Qt::Key_B, kXkbB);
    EXPECT_EQ(Actions()->Count(), 2);
}

TEST_F(MacroRecordingTest, AConstantPauseAboveTheLimitIsShownAndUsedAs65535) {
    Find<QAbstractButton>("macro_check_time")->setChecked(true);
    Find<QLineEdit>("macro_fixed_time_edit")->setText(QStringLiteral("70000"));
    Click("macro_btn_starredio");
    EXPECT_EQ(Find<QLineEdit>("macro_fixed_time_edit")->text(), QStringLiteral("65535"));
    Press(Qt::Key_A, kXkbA);
    Press(Qt::Key_B, kXkbB);
    EXPECT_EQ(Delays(), (std::vector<QString>{QStringLiteral("65535"), QStringLiteral("65535")}));
    Click("macro_btn_stopredio");
}

TEST_F(MacroRecordingTest, MediaKeysAreNotRecorded) {
    Click("macro_btn_starredio");
    Press(Qt::Key_MediaPlay, kXkbPlayPause);
    Release(Qt::Key_MediaPlay, kXkbPlayPause);
    EXPECT_EQ(Actions()->Count(), 0);
    Click("macro_btn_stopredio");
}

TEST_F(MacroRecordingTest, RecordingBeforeTheFirstRowPutsTheKeyFirstWithNoPause) {
    ChooseMenuItem("left_click");
    ASSERT_EQ(Actions()->Count(), 2);
    SelectAction(0);
    ChooseMenuItem("redio_previous_ignore_time");
    ASSERT_TRUE(Panel()->IsRecording());
    Press(Qt::Key_B, kXkbB);
    ASSERT_EQ(Actions()->Count(), 3);
    EXPECT_EQ(Row(0).name,
              ui::Text(QStringLiteral("keyboard_key_B")).remove(QStringLiteral("keyboard_key_")));
    EXPECT_EQ(Row(0).delay, QStringLiteral("0"));
    EXPECT_EQ(Row(1).name, ui::Text(QStringLiteral("mouse_key_left")));
    Click("macro_btn_stopredio");
    EXPECT_EQ(SelectedMacroFile()["Events"].size(), 3u);
}

TEST_F(MacroRecordingTest, TheRecordingStopsAddingRowsAt2000) {
    Panel()->StartRecording(3, capture::mode::kAppend);
    capture::KeyRecord a{capture::kKeyDown, {0x1E, false}};
    capture::KeyRecord b{capture::kKeyDown, {0x30, false}};
    for (int i = 0; i < 1000; ++i) {
        a.message = capture::kKeyDown;
        Panel()->OnRecordedKey(capture::mode::kAppend, a);
        a.message = capture::kKeyUp;
        Panel()->OnRecordedKey(capture::mode::kAppend, a);
    }
    ASSERT_EQ(Actions()->Count(), 2000);
    Panel()->OnRecordedKey(capture::mode::kAppend, b);
    EXPECT_EQ(Actions()->Count(), 2000);
    Panel()->StopRecording();
    EXPECT_EQ(SelectedMacroFile()["Events"].size(), 2000u);
}

// The data bytes a frame carries (length in byte 4, from byte 8), after checking its framing.
std::vector<std::uint8_t> FrameData(const sim::FrameBytes& frame, std::uint16_t* offset) {
    unsigned sum = 0;
    for (std::size_t i = 3; i < frame.size(); ++i) {
        sum += frame[i];
    }
    EXPECT_EQ(frame[0], 4);
    EXPECT_EQ(frame[1] | (frame[2] << 8), static_cast<int>(sum & 0xFFFF));
    *offset = static_cast<std::uint16_t>(frame[5] | (frame[6] << 8));
    return {frame.begin() + 8, frame.begin() + 8 + frame[4]};
}

TEST_F(MacroRecordingTest, ARecordedMacroBoundToAButtonReachesTheMouse) {
    Click("macro_btn_starredio");
    Press(Qt::Key_A, kXkbA);
    now_ += 300;
    Release(Qt::Key_A, kXkbA);
    Click("macro_btn_stopredio");
    EXPECT_EQ(Frames(protocol::Command::WriteMacros), 0u);  // no button runs it yet

    // Forward runs macro 0 once: the key table goes to the mouse.
    BindButtonToMacro(3, 0);
    ASSERT_EQ(Mouse().WriteKeys(0), 1);
    const std::uint8_t slot = Mouse().GetButtonMap()[3];
    bool seen = false;
    for (const sim::FrameBytes& frame : rig_->mouse->Firmware().ReceivedFrames(
             protocol::CommandByte(protocol::Command::WriteKeyTable))) {
        std::uint16_t offset = 0;
        const std::vector<std::uint8_t> data = FrameData(frame, &offset);
        const std::size_t at = 3u * slot;
        if (at >= offset && at + 3 <= offset + data.size()) {
            EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + (at - offset),
                                                data.begin() + (at - offset) + 3),
                      (std::vector<std::uint8_t>{0x70, 0x00, 0x01}));
            seen = true;
        }
    }
    EXPECT_TRUE(seen);

    // Saving the bound macro sends the image: header, offset, count, A down 300 ms, A up.
    Click("macro_btn_save");
    const auto frames = rig_->mouse->Firmware().ReceivedFrames(
        protocol::CommandByte(protocol::Command::WriteMacros));
    ASSERT_EQ(frames.size(), 1u);
    std::uint16_t offset = 1;
    const std::vector<std::uint8_t> data = FrameData(frames[0], &offset);
    EXPECT_EQ(offset, 0);
    const std::vector<std::uint8_t> expected = {0xAA, 0x55, 30,   0,    1, 0, 0, 0,
                                                0,    0,    0,    0,    0, 0, 0, 0,  //
                                                18,   0,                             //
                                                2,    0,    0,    0,                 //
                                                0x2C, 0x01, 0x8A, 0x04,              //
                                                0x00, 0x00, 0x0A, 0x04};
    EXPECT_EQ(data, expected);
    EXPECT_EQ(rig_->mouse->Firmware().Memory().macros.bytes(), expected);
}

TEST_F(MacroRecordingTest, ClosingTheWindowEndsTheRecordingAndSaves) {
    Click("macro_btn_starredio");
    Press(Qt::Key_A, kXkbA);
    window_->hide();
    EXPECT_FALSE(Panel()->IsRecording());
    EXPECT_EQ(SelectedMacroFile()["Events"].size(), 1u);
    // The capture is gone: keys are not recorded any more.
    Press(Qt::Key_B, kXkbB);
    EXPECT_EQ(Actions()->Count(), 1);
}

// The user picks an item of a drop-down list.
void Choose(QComboBox* box, int item) {
    ASSERT_NE(box, nullptr);
    ASSERT_LT(item, box->count());
    box->setCurrentIndex(item);
    Q_EMIT box->activated(item);
}

TEST_F(MacroRecordingTest, AMacroChosenInTheKeySetPanelIsSentOnTheNextSave) {
    Click("macro_btn_starredio");
    Press(Qt::Key_B, kXkbB);
    Click("macro_btn_stopredio");

    Click("key_Op_tab");
    Click("key_4");  // back
    auto* functions = Find<QComboBox>("keyset_function_combo");
    ASSERT_NE(functions, nullptr);
    Choose(functions, functions->findData(keypanel::kFnMacro));
    Choose(Find<QComboBox>("keyset_macro_combo"), 0);
    Click("key_butt_keysave");
    ASSERT_EQ(Mouse().GetKeyList()[4].assignment[0], 0x70);
    const std::uint8_t slot = Mouse().GetButtonMap()[4];
    const std::vector<std::uint8_t> table = rig_->mouse->Firmware().Memory().keyTable;
    ASSERT_GE(table.size(), 3u * slot + 3u);
    EXPECT_EQ(table[3 * slot], 0x70);
    EXPECT_EQ(table[3 * slot + 1], 0x00);

    Click("macro_Op_tab");
    Click("macro_btn_save");
    const std::vector<std::uint8_t> image = rig_->mouse->Firmware().Memory().macros.bytes();
    const std::vector<std::uint8_t> expected = {0xAA, 0x55, 26,   0,   1, 0, 0, 0,
                                                0,    0,    0,    0,   0, 0, 0, 0,  //
                                                18,   0,    1,    0,   0, 0,        //
                                                0x00, 0x00, 0x8A, 0x05};  // B down, no pause yet
    EXPECT_EQ(image, expected);
}

}  // namespace
