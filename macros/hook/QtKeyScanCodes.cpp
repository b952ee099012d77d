#include "macros/hook/QtKeyScanCodes.h"

#include <array>

namespace capture {

namespace {

struct Row {
    int key;
    std::uint8_t code;
    bool extended;
};

constexpr bool kExt = true;

// Keys whose meaning does not depend on the keypad flag. Shifted symbols share their key's code.
constexpr std::array kKeys{
    Row{Qt::Key_Escape, 0x01, false},
    Row{Qt::Key_1, 0x02, false},
    Row{Qt::Key_Exclam, 0x02, false},
    Row{Qt::Key_2, 0x03, false},
    Row{Qt::Key_At, 0x03, false},
    Row{Qt::Key_3, 0x04, false},
    Row{Qt::Key_NumberSign, 0x04, false},
    Row{Qt::Key_4, 0x05, false},
    Row{Qt::Key_Dollar, 0x05, false},
    Row{Qt::Key_5, 0x06, false},
    Row{Qt::Key_Percent, 0x06, false},
    Row{Qt::Key_6, 0x07, false},
    Row{Qt::Key_AsciiCircum, 0x07, false},
    Row{Qt::Key_7, 0x08, false},
    Row{Qt::Key_Ampersand, 0x08, false},
    Row{Qt::Key_8, 0x09, false},
    Row{Qt::Key_Asterisk, 0x09, false},
    Row{Qt::Key_9, 0x0A, false},
    Row{Qt::Key_ParenLeft, 0x0A, false},
    Row{Qt::Key_0, 0x0B, false},
    Row{Qt::Key_ParenRight, 0x0B, false},
    Row{Qt::Key_Minus, 0x0C, false},
    Row{Qt::Key_Underscore, 0x0C, false},
    Row{Qt::Key_Equal, 0x0D, false},
    Row{Qt::Key_Plus, 0x0D, false},
    Row{Qt::Key_Backspace, 0x0E, false},
    Row{Qt::Key_Tab, 0x0F, false},
    Row{Qt::Key_Backtab, 0x0F, false},
    Row{Qt::Key_Q, 0x10, false},
    Row{Qt::Key_W, 0x11, false},
    Row{Qt::Key_E, 0x12, false},
    Row{Qt::Key_R, 0x13, false},
    Row{Qt::Key_T, 0x14, false},
    Row{Qt::Key_Y, 0x15, false},
    Row{Qt::Key_U, 0x16, false},
    Row{Qt::Key_I, 0x17, false},
    Row{Qt::Key_O, 0x18, false},
    Row{Qt::Key_P, 0x19, false},
    Row{Qt::Key_BracketLeft, 0x1A, false},
    Row{Qt::Key_BraceLeft, 0x1A, false},
    Row{Qt::Key_BracketRight, 0x1B, false},
    Row{Qt::Key_BraceRight, 0x1B, false},
    Row{Qt::Key_Return, 0x1C, false},
    Row{Qt::Key_Control, 0x1D, false},
    Row{Qt::Key_A, 0x1E, false},
    Row{Qt::Key_S, 0x1F, false},
    Row{Qt::Key_D, 0x20, false},
    Row{Qt::Key_F, 0x21, false},
    Row{Qt::Key_G, 0x22, false},
    Row{Qt::Key_H, 0x23, false},
    Row{Qt::Key_J, 0x24, false},
    Row{Qt::Key_K, 0x25, false},
    Row{Qt::Key_L, 0x26, false},
    Row{Qt::Key_Semicolon, 0x27, false},
    Row{Qt::Key_Colon, 0x27, false},
    Row{Qt::Key_Apostrophe, 0x28, false},
    Row{Qt::Key_QuoteDbl, 0x28, false},
    Row{Qt::Key_QuoteLeft, 0x29, false},
    Row{Qt::Key_AsciiTilde, 0x29, false},
    Row{Qt::Key_Shift, 0x2A, false},
    Row{Qt::Key_Backslash, 0x2B, false},
    Row{Qt::Key_Bar, 0x2B, false},
    Row{Qt::Key_Z, 0x2C, false},
    Row{Qt::Key_X, 0x2D, false},
    Row{Qt::Key_C, 0x2E, false},
    Row{Qt::Key_V, 0x2F, false},
    Row{Qt::Key_B, 0x30, false},
    Row{Qt::Key_N, 0x31, false},
    Row{Qt::Key_M, 0x32, false},
    Row{Qt::Key_Comma, 0x33, false},
    Row{Qt::Key_Less, 0x33, false},
    Row{Qt::Key_Period, 0x34, false},
    Row{Qt::Key_Greater, 0x34, false},
    Row{Qt::Key_Slash, 0x35, false},
    Row{Qt::Key_Question, 0x35, false},
    Row{Qt::Key_Alt, 0x38, false},
    Row{Qt::Key_Space, 0x39, false},
    Row{Qt::Key_CapsLock, 0x3A, false},
    Row{Qt::Key_F1, 0x3B, false},
    Row{Qt::Key_F2, 0x3C, false},
    Row{Qt::Key_F3, 0x3D, false},
    Row{Qt::Key_F4, 0x3E, false},
    Row{Qt::Key_F5, 0x3F, false},
    Row{Qt::Key_F6, 0x40, false},
    Row{Qt::Key_F7, 0x41, false},
    Row{Qt::Key_F8, 0x42, false},
    Row{Qt::Key_F9, 0x43, false},
    Row{Qt::Key_F10, 0x44, false},
    Row{Qt::Key_NumLock, 0x45, kExt},
    Row{Qt::Key_ScrollLock, 0x46, false},
    Row{Qt::Key_Pause, 0x45, false},
    Row{Qt::Key_F11, 0x57, false},
    Row{Qt::Key_F12, 0x58, false},
    Row{Qt::Key_Enter, 0x1C, kExt},
    Row{Qt::Key_AltGr, 0x38, kExt},
    Row{Qt::Key_Print, 0x37, kExt},
    Row{Qt::Key_SysReq, 0x37, kExt},
    Row{Qt::Key_Insert, 0x52, kExt},
    Row{Qt::Key_Home, 0x47, kExt},
    Row{Qt::Key_PageUp, 0x49, kExt},
    Row{Qt::Key_Delete, 0x53, kExt},
    Row{Qt::Key_End, 0x4F, kExt},
    Row{Qt::Key_PageDown, 0x51, kExt},
    Row{Qt::Key_Right, 0x4D, kExt},
    Row{Qt::Key_Left, 0x4B, kExt},
    Row{Qt::Key_Down, 0x50, kExt},
    Row{Qt::Key_Up, 0x48, kExt},
    Row{Qt::Key_Meta, 0x5B, kExt},
    Row{Qt::Key_Super_L, 0x5B, kExt},
    Row{Qt::Key_Super_R, 0x5C, kExt},
    Row{Qt::Key_Menu, 0x5D, kExt},
};

// Keys of the numeric keypad (Qt sets the keypad flag): digits with Num Lock on, navigation
// with it off, and the operators.
constexpr std::array kKeypad{
    Row{Qt::Key_7, 0x47, false},      Row{Qt::Key_Home, 0x47, false},
    Row{Qt::Key_8, 0x48, false},      Row{Qt::Key_Up, 0x48, false},
    Row{Qt::Key_9, 0x49, false},      Row{Qt::Key_PageUp, 0x49, false},
    Row{Qt::Key_Minus, 0x4A, false},  Row{Qt::Key_4, 0x4B, false},
    Row{Qt::Key_Left, 0x4B, false},   Row{Qt::Key_5, 0x4C, false},
    Row{Qt::Key_Clear, 0x4C, false},  Row{Qt::Key_6, 0x4D, false},
    Row{Qt::Key_Right, 0x4D, false},  Row{Qt::Key_Plus, 0x4E, false},
    Row{Qt::Key_1, 0x4F, false},      Row{Qt::Key_End, 0x4F, false},
    Row{Qt::Key_2, 0x50, false},      Row{Qt::Key_Down, 0x50, false},
    Row{Qt::Key_3, 0x51, false},      Row{Qt::Key_PageDown, 0x51, false},
    Row{Qt::Key_0, 0x52, false},      Row{Qt::Key_Insert, 0x52, false},
    Row{Qt::Key_Period, 0x53, false}, Row{Qt::Key_Comma, 0x53, false},
    Row{Qt::Key_Delete, 0x53, false}, Row{Qt::Key_Asterisk, 0x37, false},
    Row{Qt::Key_Slash, 0x35, kExt},   Row{Qt::Key_Enter, 0x1C, kExt},
    Row{Qt::Key_Return, 0x1C, kExt},
};

template <std::size_t N>
std::optional<ScanCode> Find(const std::array<Row, N>& rows, int key) {
    for (const Row& row : rows) {
        if (row.key == key) {
            return ScanCode{row.code, row.extended};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ScanCode> ScanCodeFromQtKey(int qtKey, bool keypad) {
    if (keypad) {
        if (auto code = Find(kKeypad, qtKey)) {
            return code;
        }
    }
    return Find(kKeys, qtKey);
}

}  // namespace capture
