#include "macros/hook/RecordingMessages.h"

#include <array>

namespace capture {

namespace {

struct ModeRow {
    int flags;
    RecordingMessage message;
};

constexpr std::array kKeyboardModes{
    ModeRow{mode::kSingleKey, RecordingMessage::KeySingleKey},
    ModeRow{mode::kHitKey, RecordingMessage::KeyHitKey},
    ModeRow{mode::kAppend, RecordingMessage::KeyKbMacro},
    ModeRow{mode::kBefore, RecordingMessage::KeyKbMacroPrevious},
    ModeRow{mode::kAfter, RecordingMessage::KeyKbMacroLater},
    ModeRow{mode::kReplace, RecordingMessage::KeyKbMacroSingle},
    ModeRow{mode::kMouseSingleKey, RecordingMessage::MouSingleKey},
    ModeRow{mode::kMouseHitKey, RecordingMessage::MouHitKey},
    ModeRow{mode::kMouseMacro, RecordingMessage::MouKbMacro},
};

constexpr std::array kMouseModes{
    ModeRow{mode::kAppend, RecordingMessage::KeyMsMacro},
    ModeRow{mode::kBefore, RecordingMessage::KeyMsMacroPrevious},
    ModeRow{mode::kAfter, RecordingMessage::KeyMsMacroLater},
    ModeRow{mode::kReplace, RecordingMessage::KeyMsMacroSingle},
};

template <std::size_t N>
std::optional<RecordingMessage> Find(const std::array<ModeRow, N>& rows, int flags) {
    for (const ModeRow& row : rows) {
        if (row.flags == flags) {
            return row.message;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view RecordingMessageName(RecordingMessage message) {
    switch (message) {
        case RecordingMessage::KeySingleKey:
            return "WM_HOOK_KEY_SINGLEKEY_MSG";
        case RecordingMessage::KeyHitKey:
            return "WM_HOOK_KEY_HITKEY_MSG";
        case RecordingMessage::KeyKbMacro:
            return "WM_HOOK_KEY_KBMACRO_MSG";
        case RecordingMessage::KeyKbMacroPrevious:
            return "WM_HOOK_KEY_KBMACROPREVIOUS_MSG";
        case RecordingMessage::KeyKbMacroLater:
            return "WM_HOOK_KEY_KBMACROLATER_MSG";
        case RecordingMessage::KeyKbMacroSingle:
            return "WM_HOOK_KEY_KBMACROSINGLE_MSG";
        case RecordingMessage::KeyMsMacro:
            return "WM_HOOK_KEY_MSMACRO_MSG";
        case RecordingMessage::KeyMsMacroPrevious:
            return "WM_HOOK_KEY_MSMACROPREVIOUS_MSG";
        case RecordingMessage::KeyMsMacroLater:
            return "WM_HOOK_KEY_MSMACROLATER_MSG";
        case RecordingMessage::KeyMsMacroSingle:
            return "WM_HOOK_KEY_MSMACROSINGLE_MSG";
        case RecordingMessage::MouSingleKey:
            return "WM_HOOK_MOU_SINGLEKEY_MSG";
        case RecordingMessage::MouHitKey:
            return "WM_HOOK_MOU_HITKEY_MSG";
        case RecordingMessage::MouKbMacro:
            return "WM_HOOK_MOU_KBMACRO_MSG";
    }
    return {};
}

std::optional<RecordingMessage> KeyboardMessageForMode(int modeFlags) {
    return Find(kKeyboardModes, modeFlags);
}

std::optional<RecordingMessage> MouseMessageForMode(int modeFlags) {
    return Find(kMouseModes, modeFlags);
}

}  // namespace capture
