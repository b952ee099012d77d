#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/editing/ActionCommands.h"
#include "macros/editing/MacroRecorder.h"
#include "tests/macro_editing/EditReplay.h"

namespace macros::editing {
namespace {

using testing::ExpectStepsDescribe;
using testing::KeyRow;
using Second = RowLabels::Second;

Json::Value Parse(const std::string& text) {
    Json::Value value;
    Json::Reader reader;
    EXPECT_TRUE(reader.parse(text, value)) << text;
    return value;
}

struct LabelCase {
    std::string event;
    std::string name;
    bool keyboardStyle;
    Second second;
    std::string distance;
};

TEST(ActionLabels, NameStyleAndSecondLabelFollowTypeButtonAndAction) {
    const std::vector<LabelCase> cases{
        {R"({"Action":"down","Button":4,"Type":10})", "keyboard_key_A", true, Second::Down, ""},
        {R"({"Action":"up","Button":88,"Type":10})", "keyboard_key_Num Enter", true, Second::Up,
         ""},
        // Usage 0x32 has no key of its own; usage 0 names nothing.
        {R"({"Action":"down","Button":50,"Type":10})", "", true, Second::Down, ""},
        {R"({"Action":"down","Button":0,"Type":10})", "", true, Second::Down, ""},
        {R"({"Action":"down","Button":260,"Type":10})", "", true, Second::Down, ""},
        {R"({"Action":"down","Button":16,"Type":9})", "keyboard_key_RCtrl", true, Second::Down, ""},
        {R"({"Action":"up","Button":1,"Type":9})", "keyboard_key_LCtrl", true, Second::Up, ""},
        {R"({"Action":"down","Button":3,"Type":9})", "", true, Second::Down, ""},
        {R"({"Action":"down","Button":1,"Type":1})", "mouse_key_left", false, Second::Down, ""},
        {R"({"Action":"up","Button":16,"Type":1})", "mouse_key_forward", false, Second::Up, ""},
        {R"({"Action":"down","Button":8,"Type":1})", "mouse_key_back", false, Second::Down, ""},
        {R"({"Action":"up","Button":32,"Type":1})", "", false, Second::Up, ""},
        {R"({"Action":"down","Button":44,"Type":4})", "mouse_move_to_left_text", false,
         Second::Distance, "44"},
        {R"({"Action":"up","Button":7,"Type":4})", "mouse_move_to_right_text", false,
         Second::Distance, "7"},
        {R"({"Action":"down","Button":0,"Type":5})", "mouse_move_to_up_text", false,
         Second::Distance, "0"},
        {R"({"Action":"up","Button":255,"Type":5})", "mouse_move_to_down_text", false,
         Second::Distance, "255"},
        // A move without a direction names nothing but still shows its distance.
        {R"({"Action":"left","Button":9,"Type":5})", "", false, Second::Distance, "9"},
        {R"({"Action":"down","Button":1,"Type":2})", "", false, Second::Empty, ""},
        {R"({"Action":"up","Button":1,"Type":3})", "", false, Second::Empty, ""},
        {R"({"Action":"down","Button":4,"Type":7})", "", false, Second::Down, ""},
        // Members of the wrong type read as missing.
        {R"({"Action":"down","Button":"4","Type":10})", "", true, Second::Down, ""},
        {R"({"Action":true,"Button":4,"Type":10})", "keyboard_key_A", true, Second::Up, ""},
        {R"({"Action":"down","Button":4,"Type":"10"})", "", false, Second::Down, ""},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.event);
        const RowLabels labels = LabelsOf(Parse(c.event));
        EXPECT_EQ(labels.name, c.name);
        EXPECT_EQ(labels.nameIsTextId, !c.name.empty());
        EXPECT_EQ(labels.keyboardStyle, c.keyboardStyle);
        EXPECT_EQ(labels.second, c.second);
        EXPECT_EQ(labels.distance, c.distance);
    }
}

// Events as a damaged or hand-edited file may hold them.
const std::vector<std::string> kOddEvents{
    "null",
    "[]",
    "[1,2,3]",
    R"("down")",
    "5",
    "{}",
    R"({"Type":10.5,"Button":4.7})",
    R"({"Type":1e300,"Button":-1e300})",
    R"({"Type":10,"Button":9223372036854775807})",
    R"({"Type":18446744073709551615,"Button":-9223372036854775808})",
    R"({"Type":-4294967286,"Button":4})",
    R"({"Type":{},"Button":[],"Action":{}})",
    R"({"Type":4,"Button":null,"Action":null,"Delay":null})",
    R"({"Type":4,"Button":-300,"Action":"down","Delay":{"x":1}})",
    R"({"Type":9,"Button":128,"Action":"down","Delay":[1]})",
};

TEST(ActionLabels, OddEventsNeverBreakLabelsMovesDeletesOrRecording) {
    for (const std::string& text : kOddEvents) {
        SCOPED_TRACE(text);
        const Json::Value odd = Parse(text);
        const RowLabels labels = LabelsOf(odd);
        if (labels.second == Second::Distance) {
            EXPECT_FALSE(labels.distance.empty());
        }

        const std::vector<MacroAction> start{KeyRow(4, 10), {odd, "x"}, KeyRow(5, 20)};
        for (MoveTo where : {MoveTo::Up, MoveTo::Down, MoveTo::Top, MoveTo::Bottom}) {
            std::vector<MacroAction> rows = start;
            const ActionEdit edit = MoveSelected({rows, 1}, where);
            ExpectStepsDescribe(start, edit, rows);
        }
        {
            std::vector<MacroAction> rows = start;
            ExpectStepsDescribe(start, DeleteSelected({rows, 1}), rows);
        }
        {
            // Inserting an odd event keeps it as it is.
            std::vector<MacroAction> rows = start;
            const ActionEdit edit = InsertEvents({rows, 1}, std::span(&odd, 1), 50);
            ExpectStepsDescribe(start, edit, rows);
            EXPECT_EQ(rows[2].delayText, "50");
        }
        for (Insertion where : {Insertion::After, Insertion::Replace}) {
            // Recording next to the odd row: the pause lands on it, or its key is replaced.
            CMacroRecorder recorder;
            recorder.Start(PauseMode::Measured, 0);
            std::vector<MacroAction> rows = start;
            const ActionEdit edit =
                recorder.OnKey(where, true, capture::ScanCode{0x1E, false}, {rows, 1}, 40);
            ExpectStepsDescribe(start, edit, rows);
            if (where == Insertion::After) {
                EXPECT_EQ(rows[1].delayText, "40");
            }
        }
    }
}

}  // namespace
}  // namespace macros::editing
