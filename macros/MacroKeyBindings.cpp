#include "macros/MacroKeyBindings.h"

#include "macros/MacroNames.h"

namespace macros {

std::optional<int> BoundMacroNumber(const KeyCode& code) {
    if (code[0] == kKeyTypeMacro || code[0] == kKeyTypeMacroRepeat) {
        return code[1];
    }
    return std::nullopt;
}

bool AnyKeyUsesMacro(const std::vector<KeyListEntry>& keys, int macro) {
    for (const KeyListEntry& key : keys) {
        if (BoundMacroNumber(key.assignment) == macro) {
            return true;
        }
    }
    return false;
}

bool RebindKeysAfterMacroDelete(std::vector<KeyListEntry>& keys, int deleted) {
    bool changed = false;
    for (KeyListEntry& key : keys) {
        const std::optional<int> bound = BoundMacroNumber(key.assignment);
        if (!bound) {
            continue;
        }
        const std::optional<int> now = MacroNumberAfterDelete(*bound, deleted);
        if (!now) {
            changed = changed || key.assignment != key.defaultAssignment;
            key.assignment = key.defaultAssignment;
        } else if (*now != *bound) {
            key.assignment[1] = static_cast<std::uint8_t>(*now);
            changed = true;
        }
    }
    return changed;
}

bool ResetKeysWithMissingMacros(std::vector<KeyListEntry>& keys, std::size_t macroCount) {
    bool changed = false;
    for (KeyListEntry& key : keys) {
        const std::optional<int> bound = BoundMacroNumber(key.assignment);
        if (bound && static_cast<std::size_t>(*bound) >= macroCount) {
            changed = changed || key.assignment != key.defaultAssignment;
            key.assignment = key.defaultAssignment;
        }
    }
    return changed;
}

}  // namespace macros
