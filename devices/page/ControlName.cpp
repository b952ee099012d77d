#include "devices/page/ControlName.h"

namespace devices::page {

ControlName SplitControlName(const QString& name) {
    ControlName out;
    const qsizetype cut = name.lastIndexOf(QLatin1Char('_'));
    if (cut < 0) {
        return out;
    }
    out.indexed = true;
    out.prefix = name.left(cut + 1);
    // Leading digits only, bounded, so a long or odd rest cannot overflow.
    const QString rest = name.mid(cut + 1);
    long long value = 0;
    for (const QChar c : rest) {
        if (!c.isDigit() || c.unicode() > 0x7F) {
            break;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > 1000000) {
            value = 1000000;
            break;
        }
    }
    out.number = static_cast<int>(value);
    return out;
}

bool MatchIndexed(const QString& name, const QString& prefix, int* number, Qt::CaseSensitivity cs) {
    const ControlName split = SplitControlName(name);
    if (!split.indexed || split.prefix.compare(prefix, cs) != 0) {
        return false;
    }
    if (number != nullptr) {
        *number = split.number;
    }
    return true;
}

}  // namespace devices::page
