#pragma once

#include <span>

#include "keys/KeyRow.h"

// The catalogue's groups as a panel fills its lists: item position = row number.
namespace keys {

enum class KeyGroup {
    Button,
    Dpi,
    System,
    Media,
    Shortcut,
    CombinationKey,
    Gun,
    MKey,
    DeviceFunction,
    Keyboard,
};

std::span<const KeyRow> RowsOf(KeyGroup group);

}  // namespace keys
