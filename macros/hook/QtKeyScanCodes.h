#pragma once

#include <optional>

#include <Qt>

#include "macros/hook/ScanCodeMap.h"

namespace capture {

// The scan code of a key event from Qt's key and its keypad flag, for platforms that give no
// native key code (offscreen). Left and right modifiers cannot be told apart here: the left one
// is taken.
std::optional<ScanCode> ScanCodeFromQtKey(int qtKey, bool keypad);

}  // namespace capture
