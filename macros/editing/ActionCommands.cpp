#include "macros/editing/ActionCommands.h"

#include <string>
#include <utility>

namespace macros::editing {
namespace {

bool IsRow(const ActionList& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.rows.size();
}

// The row keeps its delay text: it is what the user sees, and an edit not yet saved into the
// event would otherwise be lost by the move.
ActionEdit MoveRow(ActionList list, int from, int to) {
    ActionEdit edit;
    edit.save = true;
    MacroAction row = std::move(list.rows[static_cast<std::size_t>(from)]);
    list.rows.erase(list.rows.begin() + from);
    list.rows.insert(list.rows.begin() + to, std::move(row));
    edit.steps.push_back({RowStep::Kind::Remove, from});
    edit.steps.push_back({RowStep::Kind::Insert, to});
    edit.selected = to;
    return edit;
}

}  // namespace

ActionEdit MoveSelected(ActionList list, MoveTo where) {
    const int s = IsRow(list, list.selected) ? list.selected : -1;
    const int last = static_cast<int>(list.rows.size()) - 1;
    ActionEdit unchanged;
    unchanged.save = true;
    unchanged.selected = s;
    if (s < 0) {
        return unchanged;
    }
    switch (where) {
        case MoveTo::Up:
            return s > 0 ? MoveRow(list, s, s - 1) : unchanged;
        case MoveTo::Top:
            return s > 0 ? MoveRow(list, s, 0) : unchanged;
        case MoveTo::Down:
            return s < last ? MoveRow(list, s, s + 1) : unchanged;
        case MoveTo::Bottom:
            return s < last ? MoveRow(list, s, last) : unchanged;
    }
    return unchanged;
}

ActionEdit DeleteSelected(ActionList list) {
    ActionEdit edit;
    edit.save = true;
    if (!IsRow(list, list.selected)) {
        return edit;
    }
    const int s = list.selected;
    list.rows.erase(list.rows.begin() + s);
    edit.steps.push_back({RowStep::Kind::Remove, s});
    // The row that took its place (or the new last row) is selected, so deleting can go on.
    const int count = static_cast<int>(list.rows.size());
    edit.selected = count == 0 ? -1 : (s < count ? s : count - 1);
    return edit;
}

ActionEdit DeleteAll(ActionList list) {
    ActionEdit edit;
    edit.save = true;
    if (!list.rows.empty()) {
        list.rows.clear();
        edit.steps.push_back({RowStep::Kind::Clear, 0});
    }
    return edit;
}

ActionEdit InsertEvents(ActionList list, std::span<const Json::Value> events,
                        std::uint16_t constantDelay) {
    ActionEdit edit;
    edit.save = true;
    edit.selected = IsRow(list, list.selected) ? list.selected : -1;
    const std::string delayText = std::to_string(constantDelay);
    for (const Json::Value& source : events) {
        const int k = IsRow(list, edit.selected) ? edit.selected : 0;
        const int at = list.rows.empty() ? 0 : k + 1;
        MacroAction row{source, delayText};
        if (row.event.isObject()) {
            row.event["Delay"] = delayText;
        }
        list.rows.insert(list.rows.begin() + at, std::move(row));
        edit.steps.push_back({RowStep::Kind::Insert, at});
        // The new row is selected, so a second event of the same item follows it.
        edit.selected = at;
        edit.scrollToSelected = true;
    }
    return edit;
}

}  // namespace macros::editing
