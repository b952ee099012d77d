#include "macros/MouseEventTable.h"

namespace macros {

const MouseEventRow* FindMouseEventByMessage(std::uint32_t message, int xButton) {
    if (message == 0) {
        return nullptr;
    }
    for (const MouseEventRow& row : kMouseEventTable) {
        if (row.message == message && (row.xButton == 0 || row.xButton == xButton)) {
            return &row;
        }
    }
    return nullptr;
}

const MouseEventRow* FindMouseEventByCode(std::int64_t type, std::int64_t button, bool down) {
    for (const MouseEventRow& row : kMouseEventTable) {
        if (static_cast<std::int64_t>(row.type) != type || row.down != down) {
            continue;
        }
        if (row.button < 0 || row.button == button) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace macros
