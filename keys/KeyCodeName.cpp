#include "keys/KeyCodeName.h"

#include "keys/FunctionTables.h"
#include "keys/KeyLookup.h"
#include "keys/KeyboardTable.h"

namespace keys {
namespace {

KeyName Id(std::string_view id) {
    KeyName name;
    name.kind = KeyNameKind::TextId;
    name.parts[0] = id;
    name.partCount = 1;
    return name;
}

KeyName Unknown() {
    return KeyName{};
}

KeyName UnknownType() {
    KeyName name;
    name.kind = KeyNameKind::UnknownType;
    return name;
}

KeyName NoName() {
    KeyName name;
    name.kind = KeyNameKind::NoName;
    return name;
}

template <std::size_t N>
KeyName NameOfRow(const std::array<KeyRow, N>& table, KeyCode code, bool matchP2) {
    for (const KeyRow& row : table) {
        if (row.code.type == code.type && row.code.p1 == code.p1 &&
            (!matchP2 || row.code.p2 == code.p2)) {
            return Id(row.name);
        }
    }
    return Unknown();
}

// A plain key, a modifier, or modifiers with one key; every part must be known. Only type-0x20
// rows are considered, so a media row cannot lend its name to a keyboard code with equal bytes.
KeyName KeyboardName(KeyCode code) {
    if (const KeyRow* row = FindKeyboardRowByCode(code)) {
        return Id(row->name);
    }
    if (code.p1 == 0 && code.p2 == 0) {
        return Id(kOffName);
    }
    KeyName name;
    name.kind = KeyNameKind::Composed;
    for (unsigned bit = 0x01; bit <= 0x80; bit <<= 1) {
        if (code.p1 & bit) {
            name.parts[name.partCount++] =
                FindModifierRowByBit(static_cast<std::uint8_t>(bit))->name;
        }
    }
    if (code.p2 != 0) {
        const KeyRow* key = FindKeyboardRowByUsage(code.p2);
        if (key == nullptr) {
            return Unknown();
        }
        name.parts[name.partCount++] = key->name;
    }
    return name;
}

KeyName DeviceFunctionName(KeyCode code) {
    for (const KeyRow& row : kDeviceFunctionTable) {
        if (row.code.type == code.type && row.code.p1 == code.p1) {
            return Id(row.name);
        }
    }
    if (const KeyRow* row = FindKeyboardRowByCode(code)) {
        return Id(row->name);
    }
    return Unknown();
}

}  // namespace

KeyName KeyCodeName(KeyCode code, std::span<const std::string> macroNames) {
    switch (code.type) {
        case type::kOff:
            // The firmware ignores the parameters of an unassigned key.
            return Id(kOffName);
        case type::kMouseButton:
            return NameOfRow(kButtonTable, code, false);
        case type::kHorizontalSwing:
            return Id((code.p2 & 0x80) ? kSwingRightName : kSwingLeftName);
        case type::kWheelSwing:
            return Id((code.p2 & 0x80) ? kWheelDownName : kWheelUpName);
        case type::kDpi:
            return NameOfRow(kDpiTable, code, false);
        case type::kFire:
            return Id(kFireName);
        case type::kDpiShift:
            return Id(kDpiShiftName);
        case type::kKeyboard:
            return KeyboardName(code);
        case type::kShortcut:
            return code.p2 < kShortcutTable.size() ? Id(kShortcutTable[code.p2].name) : Unknown();
        case type::kShowWindow:
            return NameOfRow(kDeviceFunctionTable, code, true);
        case type::kMedia:
            return NameOfRow(kMediaTable, code, true);
        case type::kSystem:
            return NameOfRow(kSystemTable, code, false);
        case type::kMacro:
        case type::kMacroRepeat:
            if (code.p1 < macroNames.size()) {
                KeyName name;
                name.kind = KeyNameKind::MacroName;
                name.macroName = macroNames[code.p1];
                return name;
            }
            return NoName();
        case type::kGun:
            return code.p1 < kGunTable.size() ? Id(kGunTable[code.p1].name) : Unknown();
        case type::kDeviceFunction:
            return DeviceFunctionName(code);
        case type::kMKey:
            return NameOfRow(kMKeyTable, code, true);
        default:
            return IsUnnamedType(code.type) ? NoName() : UnknownType();
    }
}

std::string KeyNameText(const KeyName& name,
                        const std::function<std::string(std::string_view textId)>& text) {
    switch (name.kind) {
        case KeyNameKind::TextId:
        case KeyNameKind::Composed: {
            std::string joined;
            for (std::size_t i = 0; i < name.partCount; ++i) {
                if (i > 0) {
                    joined += '+';
                }
                joined += text(name.parts[i]);
            }
            return joined;
        }
        case KeyNameKind::MacroName:
            return std::string(name.macroName);
        case KeyNameKind::NoName:
        case KeyNameKind::Unknown:
            return {};
        case KeyNameKind::UnknownType:
            break;
    }
    return std::string(kUnknownKeyText);
}

}  // namespace keys
