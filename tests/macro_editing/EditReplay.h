#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/MacroEvent.h"
#include "macros/editing/ActionEdit.h"

// Helpers shared by the editing tests: rows made from short descriptions, and a view that
// follows an edit's steps the way the panel does.
namespace macros::editing::testing {

// A key row of usage `usage` whose stored and shown delay is `delay`.
inline MacroAction KeyRow(int usage, int delay = 0, bool down = true) {
    return {MakeEvent(down, usage, EventType::Key, static_cast<std::uint16_t>(delay)),
            std::to_string(delay)};
}

inline std::vector<MacroAction> KeyRows(std::initializer_list<int> usages) {
    std::vector<MacroAction> rows;
    for (int usage : usages) {
        rows.push_back(KeyRow(usage));
    }
    return rows;
}

inline std::vector<int> Buttons(const std::vector<MacroAction>& rows) {
    std::vector<int> buttons;
    for (const MacroAction& row : rows) {
        buttons.push_back(
            row.event.isObject() && row.event["Button"].isInt() ? row.event["Button"].asInt() : -1);
    }
    return buttons;
}

// A view holding copies of the rows as they were applies the steps in order, reading each
// inserted or updated row from the rows as they are now; it must end up showing the same rows.
inline void ExpectStepsDescribe(std::vector<MacroAction> view, const ActionEdit& edit,
                                const std::vector<MacroAction>& rows) {
    for (const RowStep& step : edit.steps) {
        const auto at = static_cast<std::size_t>(step.index);
        switch (step.kind) {
            case RowStep::Kind::Insert:
                ASSERT_LE(at, view.size());
                ASSERT_LT(at, rows.size());
                view.insert(view.begin() + step.index, rows[at]);
                break;
            case RowStep::Kind::Remove:
                ASSERT_LT(at, view.size());
                view.erase(view.begin() + step.index);
                break;
            case RowStep::Kind::Update:
                ASSERT_LT(at, view.size());
                ASSERT_LT(at, rows.size());
                view[at] = rows[at];
                break;
            case RowStep::Kind::Clear:
                view.clear();
                break;
        }
    }
    ASSERT_EQ(view.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(view[i].event, rows[i].event) << "row " << i;
        EXPECT_EQ(view[i].delayText, rows[i].delayText) << "row " << i;
    }
    EXPECT_GE(edit.selected, -1);
    EXPECT_LT(edit.selected, static_cast<int>(rows.size()));
}

}  // namespace macros::editing::testing
