#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "macros/MacroEvent.h"
#include "macros/editing/ActionEdit.h"

// The editor's commands on the action list: moves, deletes and the inserts of the action menu
// and the move buttons. Every command reports its steps; those that end by saving set `save`.
namespace macros::editing {

enum class MoveTo : std::uint8_t { Up, Down, Top, Bottom };

// Moves the selected row; a row that cannot move (first up, last down, nothing selected)
// changes nothing but the command still saves.
ActionEdit MoveSelected(ActionList list, MoveTo where);
// Removes the selected row (nothing without a selection); saves.
ActionEdit DeleteSelected(ActionList list);
// Removes every row and clears the selection; saves.
ActionEdit DeleteAll(ActionList list);

// Inserts events one after another after the selected row (row 0 when nothing is selected and
// the list is not empty; the top of an empty list), each with the constant delay; not limited
// to the recording cap; saves.
ActionEdit InsertEvents(ActionList list, std::span<const Json::Value> events,
                        std::uint16_t constantDelay);

// The events of an action-menu item ("left_down", "left_click", ...): one or two mouse button
// events; empty for any other name.
std::vector<Json::Value> MenuItemEvents(std::string_view itemName);
// A move of the move buttons: Type 4 or 5, "down"/"up", distance = the low 8 bits of the
// decimal value of the edit's text.
Json::Value MoveEvent(EventType type, bool down, std::string_view distanceText);

// What the first two labels of a row show: the name's text id or key name (empty: no match),
// whether it is a keyboard or mouse row, and the second label.
struct RowLabels {
    std::string name;  // language text id (mouse rows) or key catalogue name (keys)
    bool nameIsTextId = false;
    bool keyboardStyle = false;  // "macro_label_keyboard_style", else "macro_label_mouse_style"
    enum class Second : std::uint8_t { Distance, Empty, Down, Up } second = Second::Empty;
    std::string distance;  // Second::Distance: the Button as decimal text
};
RowLabels LabelsOf(const Json::Value& event);

}  // namespace macros::editing
