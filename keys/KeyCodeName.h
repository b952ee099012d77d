#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "keys/KeyCode.h"

namespace keys {

enum class KeyNameKind : std::uint8_t {
    TextId,       // one language text id
    Composed,     // modifier and key text ids, shown as their texts joined with "+"
    MacroName,    // the user's macro name, shown as it is
    NoName,       // nothing is shown (types without a name, macro number past the list)
    Unknown,      // a known type whose parameters match no row: nothing is shown
    UnknownType,  // a type the program does not know: shown as the fixed off text
};

struct KeyName {
    // Eight modifiers and one key at most.
    static constexpr std::size_t kMaxParts = 9;

    KeyNameKind kind = KeyNameKind::Unknown;
    std::array<std::string_view, kMaxParts> parts{};  // text ids (TextId, Composed)
    std::size_t partCount = 0;
    std::string_view macroName;  // borrowed from the caller's macro name list

    std::string_view TextId() const { return partCount > 0 ? parts[0] : std::string_view{}; }
};

// Shown for codes of a type the program does not know.
inline constexpr std::string_view kUnknownKeyText = "OFF";

// The display name of a code. macroNames is the device's macro list in macro-number order; the
// result may point into it, so it must outlive the result.
KeyName KeyCodeName(KeyCode code, std::span<const std::string> macroNames = {});

// The text a user sees: language texts of the ids (text(id)), the macro name, an empty text for
// NoName and Unknown (callers skip keys without a name) and kUnknownKeyText for UnknownType.
std::string KeyNameText(const KeyName& name,
                        const std::function<std::string(std::string_view textId)>& text);

}  // namespace keys
