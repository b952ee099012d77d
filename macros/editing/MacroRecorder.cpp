#include "macros/editing/MacroRecorder.h"

#include <algorithm>
#include <string>
#include <utility>

#include "keys/KeyLookup.h"
#include "macros/MacroLimits.h"
#include "macros/MouseEventTable.h"

namespace macros::editing {
namespace {

static_assert(kMaxRecordedRows == kMaxRecordedEvents);

// Each insertion mode has a filter memory of its own.
int HandlerIndex(Insertion where) {
    switch (where) {
        case Insertion::Append:
            return 0;
        case Insertion::Before:
            return 1;
        case Insertion::After:
            return 2;
        case Insertion::Replace:
            return 3;
    }
    return -1;
}

bool IsRow(const ActionList& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.rows.size();
}

// A dropped event leaves the list and its selection as they are.
ActionEdit Dropped(const ActionList& list) {
    ActionEdit edit;
    edit.selected = IsRow(list, list.selected) ? list.selected : -1;
    return edit;
}

}  // namespace

void CMacroRecorder::Start(PauseMode mode, std::uint64_t nowMs) {
    mode_ = mode;
    lastTick_ = nowMs;
    for (capture::ScanCode& key : lastKey_) {
        key = {};
    }
    for (MouseMemory& message : lastMouse_) {
        message = {};
    }
}

std::optional<std::string> CMacroRecorder::ReadConstantDelay(std::string_view editText) {
    // Negative input counts as unsigned, so it is clamped like any value above the range.
    const std::int64_t value = ParseDelayText(editText);
    if (value == constantDelay_) {
        return std::nullopt;
    }
    constantDelay_ = ClampDelay(value);
    std::string text = std::to_string(constantDelay_);
    if (text == editText) {
        return std::nullopt;
    }
    return text;
}

ActionEdit CMacroRecorder::OnKey(Insertion where, bool down, capture::ScanCode key, ActionList list,
                                 std::uint64_t nowMs) {
    const int handler = HandlerIndex(where);
    if (handler < 0) {
        return Dropped(list);
    }
    capture::ScanCode& last = lastKey_[handler];
    if (down) {
        if (key == last) {
            return Dropped(list);  // auto-repeat
        }
        last = key;
    } else if (key == last) {
        last = {};
    }

    const keys::KeyRow* row = keys::FindKeyboardRowByScanCode(key.code, key.extended);
    if (row == nullptr) {
        return Dropped(list);
    }
    int button = 0;
    EventType type = EventType::Key;
    if (row->code.p2 != 0) {
        button = row->code.p2;
    } else if (row->code.p1 != 0) {
        button = row->code.p1;
        type = EventType::Modifier;
    } else {
        return Dropped(list);
    }
    return Place(where, down, button, type, list, nowMs);
}

ActionEdit CMacroRecorder::OnMouse(Insertion where, std::uint32_t message, int xButton,
                                   bool onStopButton, ActionList list, std::uint64_t nowMs) {
    const int handler = HandlerIndex(where);
    if (handler < 0) {
        return Dropped(list);
    }
    const MouseEventRow* row = FindMouseEventByMessage(message, xButton);
    if (row == nullptr) {
        return Dropped(list);
    }
    // The X button is part of what is remembered: back then forward held together are two
    // presses of the same message, and the second must not pass for a repeat.
    const MouseMemory seen{message, row->xButton};
    if (seen == lastMouse_[handler]) {
        return Dropped(list);
    }
    lastMouse_[handler] = seen;
    if (onStopButton && (message == kMsgLeftDown || message == kMsgLeftUp)) {
        return Dropped(list);  // the click that stops the recording
    }
    return Place(where, row->down, row->button, EventType::MouseButton, list, nowMs);
}

ActionEdit CMacroRecorder::Place(Insertion where, bool down, int button, EventType type,
                                 ActionList list, std::uint64_t nowMs) {
    ActionEdit edit = Dropped(list);
    const int selected = edit.selected;

    if (where == Insertion::Replace) {
        if (selected < 0) {
            return edit;
        }
        Json::Value& event = list.rows[static_cast<std::size_t>(selected)].event;
        if (!event.isObject()) {
            return edit;  // a row without an event has no action to keep
        }
        event["Button"] = button;
        event["Type"] = static_cast<int>(type);
        edit.steps.push_back({RowStep::Kind::Update, selected});
        edit.scrollToSelected = true;
        return edit;
    }

    if (list.rows.size() >= kMaxRecordedRows) {
        return edit;
    }
    if (where != Insertion::Append && selected < 0) {
        return edit;
    }
    int at = static_cast<int>(list.rows.size());
    int selectAfter = at;
    if (where == Insertion::Before) {
        at = selected;
        selectAfter = selected + 1;  // the row that was selected, now one lower
    } else if (where == Insertion::After) {
        at = selected + 1;
        selectAfter = at;
    }

    std::uint16_t pause = 0;
    switch (mode_) {
        case PauseMode::Constant:
            pause = constantDelay_;
            break;
        case PauseMode::None:
            pause = 0;
            break;
        case PauseMode::Measured:
            // A clock that went back gives no pause rather than a wrapped one.
            pause = nowMs > lastTick_ ? ClampDelay(static_cast<std::int64_t>(
                                            std::min<std::uint64_t>(nowMs - lastTick_, 65536)))
                                      : 0;
            lastTick_ = nowMs;
            break;
    }

    MacroAction row;
    row.event = MakeEvent(down, button, type, 0);
    if (at == 0) {
        row.event["Delay"] = 0;
        row.delayText = "0";
    } else if (mode_ == PauseMode::Constant) {
        row.delayText = std::to_string(constantDelay_);
        row.event["Delay"] = row.delayText;
    } else {
        row.delayText = "0";
    }
    list.rows.insert(list.rows.begin() + at, std::move(row));
    edit.steps.push_back({RowStep::Kind::Insert, at});

    // The pause belongs to the event before the new one.
    if (at > 0) {
        MacroAction& previous = list.rows[static_cast<std::size_t>(at - 1)];
        previous.delayText = std::to_string(pause);
        if (previous.event.isObject()) {
            previous.event["Delay"] = previous.delayText;
        }
        edit.steps.push_back({RowStep::Kind::Update, at - 1});
    }
    edit.selected = selectAfter;
    edit.scrollToSelected = true;
    return edit;
}

}  // namespace macros::editing
