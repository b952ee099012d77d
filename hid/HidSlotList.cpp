#include "hid/HidSlotList.h"

namespace hid {

namespace {

bool SameAddress(const HidInterfaceId& a, const HidInterfaceId& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.collectionNumber == b.collectionNumber && a.interfaceNumber == b.interfaceNumber;
}

bool SameAddressAndUsage(const HidInterfaceId& a, const HidInterfaceId& b) {
    return SameAddress(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace

CHidSlotList::CHidSlotList() : slots_(HidInterfaceTable()) {
    for (HidInterfaceId& slot : slots_) {
        slot.connected = 0;
        slot.path.clear();
    }
}

bool CHidSlotList::IsCandidate(const HidInterfaceId& record) const {
    bool inTable = false;
    for (const HidInterfaceId& row : HidInterfaceTable()) {
        if (SameAddress(row, record)) {
            inTable = true;
            break;
        }
    }
    if (!inTable) {
        return false;
    }
    for (const HidInterfaceId& slot : slots_) {
        if (SameAddress(slot, record) && IsFree(slot)) {
            return true;
        }
    }
    return false;
}

bool CHidSlotList::ClaimSlot(HidInterfaceId& record, std::size_t& slotIndex) {
    const HidInterfaceId* match = nullptr;
    for (const HidInterfaceId& row : HidInterfaceTable()) {
        if (SameAddressAndUsage(row, record)) {
            match = &row;
            break;
        }
    }
    if (match == nullptr) {
        return false;
    }
    record.deviceKind = match->deviceKind;
    record.interfaceRole = match->interfaceRole;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        HidInterfaceId& slot = slots_[i];
        if (SameAddressAndUsage(slot, record) && IsFree(slot)) {
            slot.connected = 1;
            slot.path = record.path;
            slotIndex = i;
            return true;
        }
    }
    return false;
}

bool CHidSlotList::AllSlotsConnected() const {
    for (const HidInterfaceId& slot : slots_) {
        if (IsFree(slot)) {
            return false;
        }
    }
    return true;
}

void CHidSlotList::Release(std::size_t slotIndex) {
    if (slotIndex < slots_.size()) {
        slots_[slotIndex].connected = 0;
        slots_[slotIndex].path.clear();
    }
}

}  // namespace hid
