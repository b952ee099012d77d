#include "keys/KeyLookup.h"

#include <array>

#include "keys/KeyboardTable.h"

namespace keys {
namespace {

constexpr std::uint8_t kNoRow = 0xFF;
static_assert(kKeyboardTable.size() < kNoRow);

// Scan code + 256 for extended keys -> keyboard row.
constexpr std::array<std::uint8_t, 512> kScanIndex = [] {
    std::array<std::uint8_t, 512> index{};
    index.fill(kNoRow);
    for (std::size_t i = 0; i <= kLastScanCodeRow; ++i) {
        const KeyRow& row = kKeyboardTable[i];
        if (row.scanCode != 0) {
            index[row.scanCode + (row.extended ? 256u : 0u)] = static_cast<std::uint8_t>(i);
        }
    }
    return index;
}();

// HID keyboard usage -> plain-key row.
constexpr std::array<std::uint8_t, 256> kUsageIndex = [] {
    std::array<std::uint8_t, 256> index{};
    index.fill(kNoRow);
    for (std::size_t i = 0; i < kKeyboardTable.size(); ++i) {
        const KeyCode& code = kKeyboardTable[i].code;
        if (code.type == type::kKeyboard && code.p1 == 0 && code.p2 != 0) {
            index[code.p2] = static_cast<std::uint8_t>(i);
        }
    }
    return index;
}();

const KeyRow* RowOrNull(std::uint8_t index) {
    return index == kNoRow ? nullptr : &kKeyboardTable[index];
}

}  // namespace

const KeyRow* FindKeyboardRowByScanCode(std::uint8_t scanCode, bool extended) {
    if (scanCode == 0) {
        return nullptr;
    }
    return RowOrNull(kScanIndex[scanCode + (extended ? 256u : 0u)]);
}

const KeyRow* FindKeyboardRowByUsage(std::uint8_t usage) {
    return RowOrNull(kUsageIndex[usage]);
}

const KeyRow* FindModifierRowByBit(std::uint8_t bit) {
    // The eight modifier rows lead the table in bit order.
    for (std::size_t i = 0; i < 8; ++i) {
        if (kKeyboardTable[i].code.p1 == bit) {
            return &kKeyboardTable[i];
        }
    }
    return nullptr;
}

const KeyRow* FindKeyboardRowByCode(KeyCode code) {
    for (std::size_t i = kKeyboardTable.size(); i-- > 0;) {
        if (kKeyboardTable[i].code == code) {
            return &kKeyboardTable[i];
        }
    }
    return nullptr;
}

std::optional<std::size_t> KeyboardRowIndex(const KeyRow* row) {
    for (std::size_t i = 0; i < kKeyboardTable.size(); ++i) {
        if (&kKeyboardTable[i] == row) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindRowIndex(std::span<const KeyRow> table, KeyCode code) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code) {
            return i;
        }
    }
    return std::nullopt;
}

const KeyRow* RowAt(std::span<const KeyRow> table, std::ptrdiff_t position) {
    if (position < 0 || static_cast<std::size_t>(position) >= table.size()) {
        return nullptr;
    }
    return &table[static_cast<std::size_t>(position)];
}

}  // namespace keys
