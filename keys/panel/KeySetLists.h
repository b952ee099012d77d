#pragma once

#include <QString>
#include <string_view>

#include "keys/KeyChoices.h"
#include "keys/KeyCode.h"

class QComboBox;

// The panel's drop-down lists filled from the key catalogue: item position = table row.
namespace keypanel {

// Replaces the items of combo by the rows of group, each shown by its language text.
void FillRows(QComboBox* combo, keys::KeyGroup group);

// The text a user sees for a code (language texts, "+" between a modifier and its key).
QString CodeText(keys::KeyCode code);

// The language text of a text id.
QString IdText(std::string_view id);

}  // namespace keypanel
