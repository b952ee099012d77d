#pragma once

#include <QString>

namespace devices::page {

// An indexed control name split at its last '_': "DPI_slider_2" -> prefix "DPI_slider_",
// number 2. A name without '_' is not indexed; the rest after the '_' counts as a decimal
// number, an empty or non-numeric rest as 0 (as the original's string-to-number did).
struct ControlName {
    bool indexed = false;
    QString prefix;
    int number = 0;
};

ControlName SplitControlName(const QString& name);

// True when name is prefix followed by a number; the number goes to *number.
bool MatchIndexed(const QString& name, const QString& prefix, int* number,
                  Qt::CaseSensitivity cs = Qt::CaseInsensitive);

}  // namespace devices::page
