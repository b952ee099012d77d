#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "macros/MacroLimits.h"
#include "macros/editing/ActionCommands.h"
#include "tests/macro_editing/EditReplay.h"

namespace macros::editing {
namespace {

using testing::Buttons;
using testing::ExpectStepsDescribe;
using testing::KeyRow;
using testing::KeyRows;

// Rows A B C D (usages 4..7), each with a delay of its own so that delays can be followed.
std::vector<MacroAction> FourRows() {
    return {KeyRow(4, 40), KeyRow(5, 50), KeyRow(6, 60), KeyRow(7, 70)};
}

struct MoveCase {
    int selected;
    MoveTo where;
    std::vector<int> order;
    int selectedAfter;
};

TEST(ActionMoves, RowTravelsWithItsDelayOrStaysPutAndTheCommandSaves) {
    const std::vector<MoveCase> cases{
        {2, MoveTo::Up, {4, 6, 5, 7}, 1},
        {2, MoveTo::Top, {6, 4, 5, 7}, 0},
        {1, MoveTo::Down, {4, 6, 5, 7}, 2},
        {1, MoveTo::Bottom, {4, 6, 7, 5}, 3},
        {3, MoveTo::Top, {7, 4, 5, 6}, 0},
        {0, MoveTo::Bottom, {5, 6, 7, 4}, 3},
        // Rows that cannot move.
        {0, MoveTo::Up, {4, 5, 6, 7}, 0},
        {0, MoveTo::Top, {4, 5, 6, 7}, 0},
        {3, MoveTo::Down, {4, 5, 6, 7}, 3},
        {3, MoveTo::Bottom, {4, 5, 6, 7}, 3},
        // Nothing selected, or a selection the list no longer has.
        {-1, MoveTo::Up, {4, 5, 6, 7}, -1},
        {-1, MoveTo::Bottom, {4, 5, 6, 7}, -1},
        {4, MoveTo::Down, {4, 5, 6, 7}, -1},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "selected " << c.selected << " move " << static_cast<int>(c.where));
        std::vector<MacroAction> rows = FourRows();
        const std::vector<MacroAction> before = rows;
        const ActionEdit edit = MoveSelected({rows, c.selected}, c.where);
        EXPECT_EQ(Buttons(rows), c.order);
        EXPECT_EQ(edit.selected, c.selectedAfter);
        EXPECT_TRUE(edit.save);
        EXPECT_EQ(edit.Changed(), c.order != Buttons(before));
        for (const MacroAction& row : rows) {
            EXPECT_EQ(row.delayText, std::to_string(row.event["Button"].asInt() * 10));
        }
        ExpectStepsDescribe(before, edit, rows);
    }
}

TEST(ActionMoves, ADelayTypedButNotYetSavedIsNotLost) {
    std::vector<MacroAction> rows = FourRows();
    rows[1].delayText = "999";
    const std::vector<MacroAction> before = rows;
    const ActionEdit edit = MoveSelected({rows, 1}, MoveTo::Up);
    EXPECT_EQ(rows[0].delayText, "999");
    EXPECT_EQ(rows[0].event["Button"].asInt(), 5);
    ExpectStepsDescribe(before, edit, rows);
}

struct DeleteCase {
    std::vector<MacroAction> rows;
    int selected;
    std::vector<int> remaining;
    int selectedAfter;
};

TEST(ActionDelete, RemovesTheSelectedRowAndSelectsTheOneInItsPlace) {
    const std::vector<DeleteCase> cases{
        {FourRows(), 1, {4, 6, 7}, 1},      {FourRows(), 0, {5, 6, 7}, 0},
        {FourRows(), 3, {4, 5, 6}, 2},  // the last row: its predecessor is selected
        {FourRows(), -1, {4, 5, 6, 7}, -1}, {FourRows(), 9, {4, 5, 6, 7}, -1},
        {KeyRows({4}), 0, {}, -1},          {{}, 0, {}, -1},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rows.size() << " rows, selected " << c.selected);
        std::vector<MacroAction> rows = c.rows;
        const ActionEdit edit = DeleteSelected({rows, c.selected});
        EXPECT_EQ(Buttons(rows), c.remaining);
        EXPECT_EQ(edit.selected, c.selectedAfter);
        EXPECT_TRUE(edit.save);
        ExpectStepsDescribe(c.rows, edit, rows);
    }
}

TEST(ActionDelete, DeleteAllEmptiesTheListAndClearsTheSelection) {
    for (std::vector<MacroAction> rows : {FourRows(), std::vector<MacroAction>{}}) {
        const std::vector<MacroAction> before = rows;
        const ActionEdit edit = DeleteAll({rows, 2});
        EXPECT_TRUE(rows.empty());
        EXPECT_EQ(edit.selected, -1);
        EXPECT_TRUE(edit.save);
        ExpectStepsDescribe(before, edit, rows);
    }
}

struct MenuCase {
    std::string item;
    std::vector<std::pair<int, bool>> events;  // button bit, down
};

TEST(ActionMenu, ItemsGiveTheirButtonEventsAndOtherNamesNone) {
    const std::vector<MenuCase> cases{
        {"left_down", {{0x01, true}}},
        {"left_up", {{0x01, false}}},
        {"right_down", {{0x02, true}}},
        {"middle_up", {{0x04, false}}},
        {"forward_down", {{0x10, true}}},
        {"back_up", {{0x08, false}}},
        {"left_click", {{0x01, true}, {0x01, false}}},
        {"middle_click", {{0x04, true}, {0x04, false}}},
        {"right_click", {{0x02, true}, {0x02, false}}},
        {"forward_click", {{0x10, true}, {0x10, false}}},
        {"back_click", {{0x08, true}, {0x08, false}}},
        {"left", {}},
        {"left_press", {}},
        {"wheel_down", {}},
        {"_down", {}},
        {"", {}},
        {"macro_action_edit", {}},
        {"redio_later_record_time", {}},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.item);
        const std::vector<Json::Value> events = MenuItemEvents(c.item);
        ASSERT_EQ(events.size(), c.events.size());
        for (std::size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i]["Type"].asInt(), 1);
            EXPECT_EQ(events[i]["Button"].asInt(), c.events[i].first);
            EXPECT_EQ(events[i]["Action"].asString(), c.events[i].second ? "down" : "up");
        }
    }
}

struct InsertCase {
    std::size_t rowCount;
    int selected;
    std::string item;
    std::vector<int> insertedAt;
    int selectedAfter;
};

TEST(ActionMenu, InsertsGoAfterTheSelectedRowOrAfterTheFirstWithTheConstantDelay) {
    const std::vector<InsertCase> cases{
        {0, -1, "left_click", {0, 1}, 1}, {3, -1, "left_click", {1, 2}, 2},
        {3, 0, "right_click", {1, 2}, 2}, {3, 2, "middle_click", {3, 4}, 4},
        {3, 1, "back_down", {2}, 2},      {0, -1, "forward_up", {0}, 0},
        {3, 7, "left_down", {1}, 1},  // a stale selection counts as none
    };
    for (const InsertCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.item << " into " << c.rowCount << " rows, selected " << c.selected);
        std::vector<MacroAction> rows;
        for (std::size_t i = 0; i < c.rowCount; ++i) {
            rows.push_back(KeyRow(4 + static_cast<int>(i), 30));
        }
        const std::vector<MacroAction> before = rows;
        const std::vector<Json::Value> events = MenuItemEvents(c.item);
        const ActionEdit edit = InsertEvents({rows, c.selected}, events, 120);
        ASSERT_EQ(rows.size(), c.rowCount + events.size());
        for (std::size_t i = 0; i < events.size(); ++i) {
            const MacroAction& row = rows[static_cast<std::size_t>(c.insertedAt[i])];
            EXPECT_EQ(row.event["Type"].asInt(), 1);
            EXPECT_EQ(row.event["Action"], events[i]["Action"]);
            EXPECT_EQ(row.event["Delay"], Json::Value("120"));
            EXPECT_EQ(row.delayText, "120");
        }
        EXPECT_EQ(edit.selected, c.selectedAfter);
        EXPECT_TRUE(edit.save);
        ExpectStepsDescribe(before, edit, rows);
    }
}

TEST(ActionMenu, InsertsAreNotLimitedToTheRecordingCap) {
    std::vector<MacroAction> rows(kMaxRecordedEvents, KeyRow(4));
    const std::vector<Json::Value> events = MenuItemEvents("left_click");
    InsertEvents({rows, -1}, events, 50);
    EXPECT_EQ(rows.size(), kMaxRecordedEvents + 2);
}

struct MoveDistanceCase {
    std::string text;
    int button;
};

TEST(ActionMoveEvent, DistanceIsTheLowByteOfTheDecimalValue) {
    const std::vector<MoveDistanceCase> cases{
        {"300", 44}, {"255", 255}, {"256", 0}, {"0", 0},    {"", 0},
        {"abc", 0},  {" 12", 12},  {"7px", 7}, {"-1", 255}, {"99999999999999999999", -1},
    };
    for (const MoveDistanceCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Json::Value event = MoveEvent(EventType::MoveX, true, c.text);
        const int button = event["Button"].asInt();
        EXPECT_GE(button, 0);
        EXPECT_LE(button, 255);
        if (c.button >= 0) {
            EXPECT_EQ(button, c.button);
        }
    }
    const Json::Value up = MoveEvent(EventType::MoveY, false, "10");
    EXPECT_EQ(up["Type"].asInt(), 5);
    EXPECT_EQ(up["Action"].asString(), "up");
}

TEST(ActionMoveEvent, InsertedMoveStoresTheCutDistanceAndTheConstantDelay) {
    std::vector<MacroAction> rows = KeyRows({4, 5});
    const Json::Value move = MoveEvent(EventType::MoveX, true, "300");
    const ActionEdit edit = InsertEvents({rows, 1}, std::span(&move, 1), 50);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].event["Button"].asInt(), 44);
    EXPECT_EQ(rows[2].event["Type"].asInt(), 4);
    EXPECT_EQ(rows[2].event["Delay"].asString(), "50");
    EXPECT_EQ(edit.selected, 2);
}

}  // namespace
}  // namespace macros::editing
