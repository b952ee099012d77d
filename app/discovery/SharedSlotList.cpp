#include "app/discovery/SharedSlotList.h"

namespace discovery {

bool CSharedSlotList::IsCandidate(const hid::HidInterfaceId& record) const {
    std::lock_guard guard(lock_);
    return slots_.IsCandidate(record);
}

bool CSharedSlotList::ClaimSlot(hid::HidInterfaceId& record, std::size_t& slotIndex) {
    std::lock_guard guard(lock_);
    return slots_.ClaimSlot(record, slotIndex);
}

bool CSharedSlotList::AllSlotsConnected() const {
    std::lock_guard guard(lock_);
    return slots_.AllSlotsConnected();
}

bool CSharedSlotList::ConnectedPath(std::size_t slotIndex, std::string& path) const {
    std::lock_guard guard(lock_);
    if (slotIndex >= slots_.size() || hid::CHidSlotList::IsFree(slots_[slotIndex])) {
        return false;
    }
    path = slots_[slotIndex].path;
    return true;
}

void CSharedSlotList::Release(std::size_t slotIndex) {
    std::lock_guard guard(lock_);
    slots_.Release(slotIndex);
}

hid::HidInterfaceId CSharedSlotList::Slot(std::size_t slotIndex) const {
    std::lock_guard guard(lock_);
    return slotIndex < slots_.size() ? slots_[slotIndex] : hid::HidInterfaceId{};
}

}  // namespace discovery
