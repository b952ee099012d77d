#pragma once

#include <cstddef>
#include <mutex>
#include <string>

#include "hid/HidSlotList.h"

namespace discovery {

// The main window's slot list as both threads see it: the discovery thread claims and releases
// slots, the UI thread reads them when a hand-over arrives and at any other time (device query,
// page creation). Every access takes the lock, so neither ever sees a half-written record.
class CSharedSlotList {
public:
    bool IsCandidate(const hid::HidInterfaceId& record) const;
    bool ClaimSlot(hid::HidInterfaceId& record, std::size_t& slotIndex);
    bool AllSlotsConnected() const;
    // The path of a connected slot; false when the slot is free or out of range.
    bool ConnectedPath(std::size_t slotIndex, std::string& path) const;
    void Release(std::size_t slotIndex);

    // A copy of the slot (a default record when out of range).
    hid::HidInterfaceId Slot(std::size_t slotIndex) const;
    std::size_t size() const { return hid::kHidInterfaceTableSize; }

private:
    mutable std::mutex lock_;
    hid::CHidSlotList slots_;
};

}  // namespace discovery
