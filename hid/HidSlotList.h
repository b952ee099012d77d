#pragma once

#include <array>
#include <cstddef>

#include "hid/HidInterfaceId.h"

namespace hid {

// The slots the main window binds interfaces to: one per row of the interface table, in its
// order. Not thread-safe; its owner hands changes between threads.
class CHidSlotList {
public:
    // Every slot a copy of its table row, free.
    CHidSlotList();

    // Before opening: some table row and some free slot match the path's vendor, product,
    // collection and interface numbers.
    bool IsCandidate(const HidInterfaceId& record) const;
    // After opening: record holds the ids from the attributes, the numbers from the path and the
    // usage from the capabilities. On success the record gets kind and role, the first free
    // matching slot takes record.path and slotIndex names it.
    bool ClaimSlot(HidInterfaceId& record, std::size_t& slotIndex);
    // True when no slot is free.
    bool AllSlotsConnected() const;
    // Frees a slot (its interface was removed).
    void Release(std::size_t slotIndex);

    static bool IsFree(const HidInterfaceId& slot) { return !slot.connected && slot.path.empty(); }

    std::size_t size() const { return slots_.size(); }
    const HidInterfaceId& operator[](std::size_t index) const { return slots_[index]; }

private:
    std::array<HidInterfaceId, kHidInterfaceTableSize> slots_;
};

}  // namespace hid
