#include "keys/KeyChoices.h"

#include "keys/FunctionTables.h"
#include "keys/KeyboardTable.h"

namespace keys {

std::span<const KeyRow> RowsOf(KeyGroup group) {
    switch (group) {
        case KeyGroup::Button:
            return kButtonTable;
        case KeyGroup::Dpi:
            return kDpiTable;
        case KeyGroup::System:
            return kSystemTable;
        case KeyGroup::Media:
            return kMediaTable;
        case KeyGroup::Shortcut:
            return kShortcutTable;
        case KeyGroup::CombinationKey:
            return kCombinationKeyTable;
        case KeyGroup::Gun:
            return kGunTable;
        case KeyGroup::MKey:
            return kMKeyTable;
        case KeyGroup::DeviceFunction:
            return kDeviceFunctionTable;
        case KeyGroup::Keyboard:
            return kKeyboardTable;
    }
    return {};
}

}  // namespace keys
