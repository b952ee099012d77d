#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "keys/KeyLookup.h"
#include "macros/MouseEventTable.h"
#include "macros/editing/MacroRecorder.h"
#include "tests/macro_editing/EditReplay.h"

namespace macros::editing {
namespace {

using capture::ScanCode;
using testing::Buttons;
using testing::ExpectStepsDescribe;
using testing::KeyRow;
using testing::KeyRows;

constexpr ScanCode kA{0x1E, false};  // usage 0x04
constexpr ScanCode kB{0x30, false};  // usage 0x05
constexpr ScanCode kZ{0x2C, false};  // usage 0x1D
constexpr int kUsageZ = 0x1D;

// A recording into a list the test owns; every edit is checked against a view that follows
// its steps, and the selection it reports is taken over as the panel would.
class Recording : public ::testing::Test {
protected:
    ActionEdit Key(Insertion where, bool down, ScanCode key, std::uint64_t now) {
        return Follow([&](ActionList list) { return recorder.OnKey(where, down, key, list, now); });
    }
    ActionEdit Mouse(Insertion where, std::uint32_t message, std::uint64_t now, int xButton = 0,
                     bool onStop = false) {
        return Follow([&](ActionList list) {
            return recorder.OnMouse(where, message, xButton, onStop, list, now);
        });
    }
    template <typename Call>
    ActionEdit Follow(Call call) {
        const std::vector<MacroAction> before = rows;
        const ActionEdit edit = call(ActionList{rows, selected});
        ExpectStepsDescribe(before, edit, rows);
        EXPECT_FALSE(edit.save);
        if (edit.Changed()) {
            EXPECT_TRUE(edit.scrollToSelected);
        } else {
            // A dropped event must not take the selection away from the view.
            const bool wasRow = selected >= 0 && static_cast<std::size_t>(selected) < rows.size();
            EXPECT_EQ(edit.selected, wasRow ? selected : -1);
        }
        selected = edit.selected;
        return edit;
    }
    std::vector<std::string> DelayTexts() const {
        std::vector<std::string> texts;
        for (const MacroAction& row : rows) {
            texts.push_back(row.delayText);
        }
        return texts;
    }

    CMacroRecorder recorder;
    std::vector<MacroAction> rows;
    int selected = -1;
};

struct PauseCase {
    PauseMode mode;
    std::string constantText;
    std::vector<std::string> delays;
};

TEST_F(Recording, EachPauseIsStoredOnThePrecedingRowAndTheNewestShowsAPlaceholder) {
    // A down 100 ms after the start, A up 300 ms later, B down 70 s later.
    const std::vector<PauseCase> cases{
        {PauseMode::Measured, "", {"300", "65535", "0"}},
        {PauseMode::Constant, "120", {"120", "120", "120"}},
        {PauseMode::Constant, "70000", {"65535", "65535", "65535"}},
        {PauseMode::None, "", {"0", "0", "0"}},
    };
    for (const PauseCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << static_cast<int>(c.mode) << " constant " << c.constantText);
        rows.clear();
        selected = -1;
        recorder = CMacroRecorder{};
        if (c.mode == PauseMode::Constant) {
            recorder.ReadConstantDelay(c.constantText);
        }
        recorder.Start(c.mode, 1000);

        Key(Insertion::Append, true, kA, 1100);
        ASSERT_EQ(rows.size(), 1u);
        // The first row carries no pause of its own, whatever the mode.
        EXPECT_EQ(rows[0].delayText, "0");
        EXPECT_EQ(rows[0].event["Delay"], Json::Value(0));

        Key(Insertion::Append, false, kA, 1400);
        Key(Insertion::Append, true, kB, 1400 + 70000);
        EXPECT_EQ(DelayTexts(), c.delays);
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
            EXPECT_EQ(rows[i].event["Delay"], Json::Value(c.delays[i]));
        }
        EXPECT_EQ(selected, 2);
        EXPECT_EQ(rows[0].event["Action"].asString(), "down");
        EXPECT_EQ(rows[1].event["Action"].asString(), "up");
        EXPECT_EQ(Buttons(rows), (std::vector<int>{4, 4, 5}));
    }
}

TEST_F(Recording, AClockThatWentBackGivesNoPause) {
    recorder.Start(PauseMode::Measured, 5000);
    Key(Insertion::Append, true, kA, 5000);
    Key(Insertion::Append, false, kA, 4000);
    EXPECT_EQ(rows[0].delayText, "0");
}

TEST_F(Recording, HeldKeyGivesOneDownRowAndEachHandlerFiltersOnItsOwn) {
    recorder.Start(PauseMode::None, 0);
    for (int i = 0; i < 5; ++i) {
        Key(Insertion::Append, true, kA, 10 * i);
    }
    Key(Insertion::Append, false, kA, 60);
    Key(Insertion::Append, true, kA, 70);  // pressed again after the release
    ASSERT_EQ(rows.size(), 3u);

    // The insert-after handler has not seen A yet.
    selected = 0;
    Key(Insertion::After, true, kA, 80);
    EXPECT_EQ(rows.size(), 4u);
    Key(Insertion::After, true, kA, 90);
    EXPECT_EQ(rows.size(), 4u);

    // A new recording forgets the held keys.
    recorder.Start(PauseMode::None, 100);
    Key(Insertion::Append, true, kA, 110);
    EXPECT_EQ(rows.size(), 5u);
}

TEST_F(Recording, KeysBecomeKeyOrModifierEventsAndUnknownKeysAreDropped) {
    struct KeyCase {
        ScanCode key;
        int type;  // 0: dropped
        int button;
    };
    const std::vector<KeyCase> cases{
        {kA, 10, 0x04},
        {{0x1C, true}, 10, 0x58},  // keypad Enter
        {{0x1C, false}, 10, 0x28},
        {{0x1D, false}, 9, 0x01},  // left Ctrl
        {{0x1D, true}, 9, 0x10},   // right Ctrl
        {{0x38, true}, 9, 0x40},   // right Alt
        {{0x5B, true}, 9, 0x08},   // left Win
        {{0x30, true}, 0, 0},      // volume up
        {{0x22, true}, 0, 0},      // play / pause
        {{0x00, false}, 0, 0},
        {{0xFF, true}, 0, 0},
    };
    recorder.Start(PauseMode::None, 0);
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << int{c.key.code} << " " << c.key.extended);
        if (c.type == 0) {
            ASSERT_EQ(keys::FindKeyboardRowByScanCode(c.key.code, c.key.extended), nullptr);
        }
        const std::size_t count = rows.size();
        Key(Insertion::Append, true, c.key, 0);
        Key(Insertion::Append, false, c.key, 0);
        if (c.type == 0) {
            EXPECT_EQ(rows.size(), count);
            continue;
        }
        ASSERT_EQ(rows.size(), count + 2);
        for (std::size_t i = count; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].event["Type"].asInt(), c.type);
            EXPECT_EQ(rows[i].event["Button"].asInt(), c.button);
        }
    }
}

TEST_F(Recording, TheCapStopsRecordingButNotReplacing) {
    rows = std::vector<MacroAction>(kMaxRecordedRows - 1, KeyRow(4));
    recorder.Start(PauseMode::None, 0);
    Key(Insertion::Append, true, kB, 0);
    EXPECT_EQ(rows.size(), kMaxRecordedRows);

    const std::vector<MacroAction> full = rows;
    selected = 5;
    EXPECT_FALSE(Key(Insertion::Append, true, kZ, 0).Changed());
    EXPECT_FALSE(Key(Insertion::Before, true, kZ, 0).Changed());
    EXPECT_FALSE(Mouse(Insertion::After, kMsgRightDown, 0).Changed());
    EXPECT_EQ(rows.size(), kMaxRecordedRows);
    EXPECT_EQ(rows[kMaxRecordedRows - 2].delayText, full[kMaxRecordedRows - 2].delayText);

    Key(Insertion::Replace, true, kZ, 0);
    EXPECT_EQ(rows[5].event["Button"].asInt(), kUsageZ);
}

struct PlaceCase {
    Insertion where;
    int selected;
    std::vector<int> order;  // 0 where nothing was recorded
    int selectedAfter;
    std::vector<std::string> delays;
};

TEST_F(Recording, BeforeAndAfterPlaceAroundTheSelectionAndMoveThePauseAbove) {
    // Rows A B C with delays 10 20 30; Z recorded 250 ms after the start.
    const std::vector<PlaceCase> cases{
        {Insertion::Before, 1, {4, kUsageZ, 5, 6}, 2, {"250", "0", "20", "30"}},
        {Insertion::Before, 0, {kUsageZ, 4, 5, 6}, 1, {"0", "10", "20", "30"}},
        {Insertion::After, 1, {4, 5, kUsageZ, 6}, 2, {"10", "250", "0", "30"}},
        {Insertion::After, 2, {4, 5, 6, kUsageZ}, 3, {"10", "20", "250", "0"}},
        {Insertion::Append, 0, {4, 5, 6, kUsageZ}, 3, {"10", "20", "250", "0"}},
        {Insertion::Before, -1, {4, 5, 6}, -1, {"10", "20", "30"}},
        {Insertion::After, -1, {4, 5, 6}, -1, {"10", "20", "30"}},
        {Insertion::After, 3, {4, 5, 6}, -1, {"10", "20", "30"}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "insertion " << static_cast<int>(c.where) << " selected " << c.selected);
        rows = {KeyRow(4, 10), KeyRow(5, 20), KeyRow(6, 30)};
        selected = c.selected;
        recorder.Start(PauseMode::Measured, 0);
        Key(c.where, true, kZ, 250);
        EXPECT_EQ(Buttons(rows), c.order);
        EXPECT_EQ(selected, c.selectedAfter);
        EXPECT_EQ(DelayTexts(), c.delays);
    }
}

TEST_F(Recording, ConstantModeGivesTheNewRowTheConstantExceptAtTheTop) {
    recorder.ReadConstantDelay("80");
    rows = KeyRows({4, 5});
    selected = 1;
    recorder.Start(PauseMode::Constant, 0);
    Key(Insertion::Before, true, kZ, 5);
    EXPECT_EQ(DelayTexts(), (std::vector<std::string>{"80", "80", "0"}));
    EXPECT_EQ(rows[1].event["Delay"], Json::Value("80"));
    selected = 0;
    Key(Insertion::Before, true, kB, 5);
    EXPECT_EQ(rows[0].delayText, "0");
    EXPECT_EQ(rows[0].event["Delay"], Json::Value(0));
}

TEST_F(Recording, ReplaceKeepsActionAndDelayAndTakesTheNewKeyOrButton) {
    rows = {KeyRow(4, 10), KeyRow(5, 20, true), KeyRow(6, 30)};
    rows[1].delayText = "25";  // typed, not saved yet
    const std::vector<MacroAction> before = rows;
    recorder.Start(PauseMode::None, 0);

    selected = 1;
    Key(Insertion::Replace, true, kZ, 100);
    Key(Insertion::Replace, false, kZ, 200);
    EXPECT_EQ(rows[1].event["Button"].asInt(), kUsageZ);
    EXPECT_EQ(rows[1].event["Type"].asInt(), 10);
    EXPECT_EQ(rows[1].event["Action"].asString(), "down");
    EXPECT_EQ(rows[1].event["Delay"].asString(), "20");
    EXPECT_EQ(rows[1].delayText, "25");
    EXPECT_EQ(selected, 1);

    Key(Insertion::Replace, true, {0x1D, true}, 300);
    EXPECT_EQ(rows[1].event["Type"].asInt(), 9);
    EXPECT_EQ(rows[1].event["Button"].asInt(), 0x10);

    Mouse(Insertion::Replace, kMsgXUp, 400, 1);
    EXPECT_EQ(rows[1].event["Type"].asInt(), 1);
    EXPECT_EQ(rows[1].event["Button"].asInt(), 0x08);
    EXPECT_EQ(rows[1].event["Action"].asString(), "down");

    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(rows[i].event, before[i].event);
        EXPECT_EQ(rows[i].delayText, before[i].delayText);
    }
    selected = -1;
    EXPECT_FALSE(Key(Insertion::Replace, true, kA, 500).Changed());
}

TEST_F(Recording, MouseButtonsMapByMessageAndXButton) {
    struct MouseCase {
        std::uint32_t message;
        int xButton;
        int button;  // 0: dropped
        bool down;
    };
    const std::vector<MouseCase> cases{
        {kMsgLeftDown, 0, 0x01, true},
        {kMsgLeftUp, 0, 0x01, false},
        {kMsgRightDown, 0, 0x02, true},
        {kMsgRightUp, 0, 0x02, false},
        {kMsgMiddleDown, 0, 0x04, true},
        {kMsgMiddleUp, 0, 0x04, false},
        {kMsgXDown, 2, 0x10, true},
        {kMsgXUp, 2, 0x10, false},
        {kMsgXDown, 1, 0x08, true},
        {kMsgXUp, 1, 0x08, false},
        {kMsgXDown, 3, 0, true},
        {kMsgXUp, 0, 0, false},
        {0x20A, 0, 0, true},  // wheel
        {0x200, 0, 0, true},  // move
    };
    recorder.Start(PauseMode::None, 0);
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.message << " x" << c.xButton);
        const std::size_t count = rows.size();
        Mouse(Insertion::Append, c.message, 0, c.xButton);
        if (c.button == 0) {
            EXPECT_EQ(rows.size(), count);
            continue;
        }
        ASSERT_EQ(rows.size(), count + 1);
        EXPECT_EQ(rows.back().event["Type"].asInt(), 1);
        EXPECT_EQ(rows.back().event["Button"].asInt(), c.button);
        EXPECT_EQ(rows.back().event["Action"].asString(), c.down ? "down" : "up");
    }
}

TEST_F(Recording, RepeatedMouseMessagesAndStopButtonClicksAreNotRecorded) {
    recorder.Start(PauseMode::None, 0);
    Mouse(Insertion::Append, kMsgLeftDown, 0);
    Mouse(Insertion::Append, kMsgLeftDown, 0);
    EXPECT_EQ(rows.size(), 1u);
    Mouse(Insertion::Append, kMsgLeftUp, 0);
    Mouse(Insertion::Append, kMsgLeftDown, 0);
    EXPECT_EQ(rows.size(), 3u);

    // Back and then forward pressed together are two presses, not a repeat.
    Mouse(Insertion::Append, kMsgXDown, 0, 1);
    Mouse(Insertion::Append, kMsgXDown, 0, 2);
    EXPECT_EQ(Buttons(rows), (std::vector<int>{1, 1, 1, 0x08, 0x10}));

    // The click on the stop button; only the left button is taken for it.
    Mouse(Insertion::Append, kMsgLeftUp, 0, 0, true);
    Mouse(Insertion::Append, kMsgLeftDown, 0, 0, true);
    Mouse(Insertion::Append, kMsgLeftUp, 0, 0, true);
    EXPECT_EQ(rows.size(), 5u);
    Mouse(Insertion::Append, kMsgRightDown, 0, 0, true);
    EXPECT_EQ(rows.size(), 6u);
}

struct ConstantCase {
    std::string text;
    int constant;
    std::optional<std::string> rewrite;
};

TEST(RecordingConstantDelay, EditTextIsReadClampedAndWrittenBackWhenItChanged) {
    const std::vector<ConstantCase> cases{
        {"70000", 65535, "65535"},
        {"120", 120, std::nullopt},
        {"50", 50, std::nullopt},
        {"65535", 65535, std::nullopt},
        {"0120", 120, "120"},
        {"", 0, "0"},
        {"abc", 0, "0"},
        {"-5", 65535, "65535"},
        {"99999999999999999999999", 65535, "65535"},
    };
    for (const ConstantCase& c : cases) {
        SCOPED_TRACE(c.text);
        CMacroRecorder recorder;
        EXPECT_EQ(recorder.ConstantDelay(), 50);
        EXPECT_EQ(recorder.ReadConstantDelay(c.text), c.rewrite);
        EXPECT_EQ(recorder.ConstantDelay(), c.constant);
    }
    // A value already stored is left as it is, even when it was clamped before.
    CMacroRecorder recorder;
    recorder.ReadConstantDelay("70000");
    EXPECT_EQ(recorder.ReadConstantDelay("65535"), std::nullopt);
    EXPECT_EQ(recorder.ReadConstantDelay("70000"), std::optional<std::string>("65535"));
    EXPECT_EQ(recorder.ConstantDelay(), 65535);
}

}  // namespace
}  // namespace macros::editing
