#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "macros/hook/ScanCodeMap.h"

// What the capture hook reports to its target: one message per input event, chosen by the
// insertion mode the hook was installed with.
namespace capture {

enum class RecordingMessage : std::uint8_t {
    KeySingleKey,        // "WM_HOOK_KEY_SINGLEKEY_MSG": single-key capture (key set panel)
    KeyHitKey,           // "WM_HOOK_KEY_HITKEY_MSG": key combination capture (ignored)
    KeyKbMacro,          // "WM_HOOK_KEY_KBMACRO_MSG": macro, append
    KeyKbMacroPrevious,  // "WM_HOOK_KEY_KBMACROPREVIOUS_MSG": insert before the selected row
    KeyKbMacroLater,     // "WM_HOOK_KEY_KBMACROLATER_MSG": insert after the selected row
    KeyKbMacroSingle,    // "WM_HOOK_KEY_KBMACROSINGLE_MSG": replace the selected row's key
    KeyMsMacro,          // "WM_HOOK_KEY_MSMACRO_MSG": mouse, append
    KeyMsMacroPrevious,  // "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"
    KeyMsMacroLater,     // "WM_HOOK_KEY_MSMACROLATER_MSG"
    KeyMsMacroSingle,    // "WM_HOOK_KEY_MSMACROSINGLE_MSG"
    MouSingleKey,        // "WM_HOOK_MOU_SINGLEKEY_MSG": sent, no handler
    MouHitKey,           // "WM_HOOK_MOU_HITKEY_MSG": sent, no handler
    MouKbMacro,          // "WM_HOOK_MOU_KBMACRO_MSG": sent, no handler
};

std::string_view RecordingMessageName(RecordingMessage message);

// Insertion mode flags of the hook.
namespace mode {
inline constexpr int kSingleKey = 1;
inline constexpr int kHitKey = 2;
inline constexpr int kAppend = 4;
inline constexpr int kBefore = 8;
inline constexpr int kAfter = 16;
inline constexpr int kReplace = 32;
inline constexpr int kMouseSingleKey = 256;
inline constexpr int kMouseHitKey = 512;
inline constexpr int kMouseMacro = 1024;
}  // namespace mode

// The keyboard message of a mode; none for a value outside the table (flags are not combined).
std::optional<RecordingMessage> KeyboardMessageForMode(int modeFlags);
// The mouse message of a mode: only the four macro insertion modes have one.
std::optional<RecordingMessage> MouseMessageForMode(int modeFlags);

// Keyboard messages carried as the event's kind (wParam of the hook).
inline constexpr std::uint32_t kKeyDown = 0x100;
inline constexpr std::uint32_t kKeyUp = 0x101;
inline constexpr std::uint32_t kSysKeyDown = 0x104;
inline constexpr std::uint32_t kSysKeyUp = 0x105;

inline bool IsKeyDownMessage(std::uint32_t message) {
    return message == kKeyDown || message == kSysKeyDown;
}

struct KeyRecord {
    std::uint32_t message = kKeyDown;  // kKeyDown, kSysKeyDown, kKeyUp or kSysKeyUp
    ScanCode key;
};

// A mouse button event: message is one of the button messages of macros/MouseEventTable.h;
// xButton is 1 (back) or 2 (forward) for the X button messages, else 0.
struct MouseRecord {
    std::uint32_t message = 0;
    int screenX = 0;
    int screenY = 0;
    int xButton = 0;
};

// The hook's target (the main window). Calls are synchronous, on the UI thread; the records
// live only during the call.
class RecordingReceiver {
public:
    virtual ~RecordingReceiver() = default;
    virtual void OnRecordedKey(RecordingMessage message, const KeyRecord& record) = 0;
    virtual void OnRecordedMouse(RecordingMessage message, const MouseRecord& record) = 0;
};

}  // namespace capture
