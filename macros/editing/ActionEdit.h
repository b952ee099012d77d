#pragma once

#include <cstdint>
#include <vector>

#include "macros/MacroLibrary.h"

// Edits of a macro's action list (the rows of CMacroLibrary::Actions()) and what each did, so
// that a view can follow row by row instead of rebuilding thousands of rows per recorded event.
namespace macros::editing {

struct RowStep {
    enum class Kind : std::uint8_t {
        Insert,  // a row now exists at index (read it from the rows)
        Remove,  // the row at index is gone
        Update,  // the row at index has a new event or delay text
        Clear,   // every row is gone
    };
    Kind kind = Kind::Update;
    int index = 0;
};

// The steps in the order they happened, then the selection the view shows afterwards.
struct ActionEdit {
    std::vector<RowStep> steps;
    int selected = -1;              // -1: no row selected
    bool scrollToSelected = false;  // recorded events: scroll once the view settles (timer 4101)
    bool save = false;              // the command ends by saving the macro
    bool Changed() const { return !steps.empty(); }
};

// The action list of the selected macro and its selected row (-1: none).
struct ActionList {
    std::vector<MacroAction>& rows;
    int selected = -1;
};

}  // namespace macros::editing
