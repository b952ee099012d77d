#pragma once

#include <cstdint>
#include <string_view>

#include "keys/KeyCode.h"

namespace keys {

// One row of a catalogue table. The host key is the Windows virtual-key code in the keyboard
// table and the row's position elsewhere (the shortcut table starts at 0x21); it is kept as data
// for files and companions that use it, never to identify Linux key events. Only keyboard rows
// of plain keys carry a PC set-1 scan code; 0 means none (no key makes scan code 0).
struct KeyRow {
    std::uint16_t hostKey = 0;
    KeyCode code;
    std::string_view name;  // language text id; empty where the row has no name of its own
    std::uint8_t scanCode = 0;
    bool extended = false;
};

}  // namespace keys
