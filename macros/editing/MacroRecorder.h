#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macros/MacroEvent.h"
#include "macros/editing/ActionEdit.h"
#include "macros/hook/ScanCodeMap.h"

// Turns captured key and mouse button events into action rows while a recording runs: pause
// modes, the auto-repeat filters, the 2000-row cap and the insertion points. Times are
// milliseconds of a steady clock, given by the caller so tests control them.
namespace macros::editing {

enum class PauseMode : std::uint8_t { Measured = 1, Constant = 2, None = 3 };

// Insertion flags of the capture hook.
enum class Insertion : std::uint8_t { Append = 4, Before = 8, After = 16, Replace = 32 };

inline constexpr std::size_t kMaxRecordedRows = 2000;

class CMacroRecorder {
public:
    // Starts a recording: the mode, last tick = now, and every filter memory cleared.
    void Start(PauseMode mode, std::uint64_t nowMs);
    PauseMode Mode() const { return mode_; }

    // The text of "macro_fixed_time_edit" as read when a constant-pause recording starts: a
    // value above 65535 becomes 65535. Returns the text to put back into the edit when the
    // value was changed (the caret goes to its end), none when the edit stays as it is.
    std::optional<std::string> ReadConstantDelay(std::string_view editText);
    // 50 until a constant-pause recording read the edit.
    std::uint16_t ConstantDelay() const { return constantDelay_; }

    // A captured key: down for key-down and sys-key-down. Keys the key catalogue does not know
    // are dropped, as are auto-repeats and inserts that have no selected row to go by. A dropped
    // event gives no steps and leaves the selection as it was.
    ActionEdit OnKey(Insertion where, bool down, capture::ScanCode key, ActionList list,
                     std::uint64_t nowMs);
    // A captured mouse button message (macros/MouseEventTable.h) with its X button number;
    // onStopButton: a left press or release inside the stop button, which is never recorded.
    ActionEdit OnMouse(Insertion where, std::uint32_t message, int xButton, bool onStopButton,
                       ActionList list, std::uint64_t nowMs);

private:
    struct MouseMemory {
        std::uint32_t message = 0;
        int xButton = 0;
        friend bool operator==(const MouseMemory&, const MouseMemory&) = default;
    };

    // Steps 5 on of a recorded event: the cap, the insertion point, the pauses, the selection.
    ActionEdit Place(Insertion where, bool down, int button, EventType type, ActionList list,
                     std::uint64_t nowMs);

    PauseMode mode_ = PauseMode::Measured;
    std::uint16_t constantDelay_ = 50;
    std::uint64_t lastTick_ = 0;
    // One filter memory per handler, as each insertion mode keeps its own.
    capture::ScanCode lastKey_[4]{};
    MouseMemory lastMouse_[4]{};
};

}  // namespace macros::editing
