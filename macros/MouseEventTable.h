#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "macros/MacroEvent.h"

// Ties mouse events to their encoding and display name: the recorder finds a row by window
// message (and X button), the editor finds the name by type, button and action.
namespace macros {

// Window message numbers the recorder reports mouse buttons with.
inline constexpr std::uint32_t kMsgLeftDown = 0x201;
inline constexpr std::uint32_t kMsgLeftUp = 0x202;
inline constexpr std::uint32_t kMsgRightDown = 0x204;
inline constexpr std::uint32_t kMsgRightUp = 0x205;
inline constexpr std::uint32_t kMsgMiddleDown = 0x207;
inline constexpr std::uint32_t kMsgMiddleUp = 0x208;
inline constexpr std::uint32_t kMsgXDown = 0x20B;
inline constexpr std::uint32_t kMsgXUp = 0x20C;

struct MouseEventRow {
    std::uint32_t message;  // 0 for the move rows, which no message produces
    int xButton;            // 1 or 2 for the X button rows, else 0
    int button;             // button bit; -1 for the move rows (the distance is the button)
    EventType type;
    bool down;
    std::string_view nameId;  // language text id
};

inline constexpr std::array<MouseEventRow, 14> kMouseEventTable{{
    {kMsgLeftDown, 0, 0x01, EventType::MouseButton, true, "mouse_key_left"},
    {kMsgLeftUp, 0, 0x01, EventType::MouseButton, false, "mouse_key_left"},
    {kMsgRightDown, 0, 0x02, EventType::MouseButton, true, "mouse_key_right"},
    {kMsgRightUp, 0, 0x02, EventType::MouseButton, false, "mouse_key_right"},
    {kMsgMiddleDown, 0, 0x04, EventType::MouseButton, true, "mouse_key_middle"},
    {kMsgMiddleUp, 0, 0x04, EventType::MouseButton, false, "mouse_key_middle"},
    {kMsgXDown, 2, 0x10, EventType::MouseButton, true, "mouse_key_forward"},
    {kMsgXUp, 2, 0x10, EventType::MouseButton, false, "mouse_key_forward"},
    {kMsgXDown, 1, 0x08, EventType::MouseButton, true, "mouse_key_back"},
    {kMsgXUp, 1, 0x08, EventType::MouseButton, false, "mouse_key_back"},
    {0, 0, -1, EventType::MoveX, true, "mouse_move_to_left_text"},
    {0, 0, -1, EventType::MoveX, false, "mouse_move_to_right_text"},
    {0, 0, -1, EventType::MoveY, true, "mouse_move_to_up_text"},
    {0, 0, -1, EventType::MoveY, false, "mouse_move_to_down_text"},
}};

// The row a recorded window message stands for; xButton matters for the X button messages only.
const MouseEventRow* FindMouseEventByMessage(std::uint32_t message, int xButton);

// The row that names an event of a mouse type (1, 4, 5); none for other types or an unknown
// button bit.
const MouseEventRow* FindMouseEventByCode(std::int64_t type, std::int64_t button, bool down);

}  // namespace macros
