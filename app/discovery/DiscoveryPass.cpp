#include "app/discovery/DiscoveryPass.h"

#include <condition_variable>
#include <mutex>
#include <string>

#include "hid/HidInterfaceId.h"

namespace discovery {

CDiscoveryPass::CDiscoveryPass(std::shared_ptr<hid::IHidBackend> backend, CSharedSlotList& slots)
    : backend_(std::move(backend)), slots_(slots) {}

bool CDiscoveryPass::Run(IDiscoveryEvents& events, const std::stop_token& token) {
    if (!slots_.AllSlotsConnected() && !ClaimArrivals(events, token)) {
        return false;
    }
    if (!firstPassRan_) {
        // Also after a failed enumeration: the window must not stay hidden because the
        // system could not be read once.
        firstPassRan_ = true;
        events.FirstPassDone();
    }
    return ReleaseRemovals(events, token);
}

bool CDiscoveryPass::ClaimArrivals(IDiscoveryEvents& events, const std::stop_token& token) {
    if (!probe_) {
        probe_ = std::make_unique<hid::CHidDevice>(backend_);
    }
    if (!probe_->EnumerateInterfaces()) {
        return true;  // tried again next pass
    }
    bool goOn = true;
    while (const char* path = probe_->NextInterfacePath()) {
        hid::HidInterfaceId record;
        record.vendorId = hid::ParseVendorId(path);
        record.productId = hid::ParseProductId(path);
        record.interfaceNumber = hid::ParseInterfaceNumber(path);
        record.collectionNumber = hid::ParseCollectionNumber(path);
        if (!slots_.IsCandidate(record)) {
            continue;
        }
        record.path = path;
        if (!probe_->Open(record.path, true, false, true, false)) {
            continue;
        }
        record.vendorId = probe_->Attributes().vendorId;
        record.productId = probe_->Attributes().productId;
        record.usagePage = probe_->Caps().usagePage;
        record.usage = probe_->Caps().usage;
        std::size_t slotIndex = 0;
        const bool claimed = slots_.ClaimSlot(record, slotIndex);
        probe_->Close();
        if (claimed && !events.Arrival(slotIndex, token)) {
            goOn = false;
            break;
        }
    }
    probe_->FreeInterfacePaths();
    return goOn;
}

bool CDiscoveryPass::ReleaseRemovals(IDiscoveryEvents& events, const std::stop_token& token) {
    std::string path;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (!slots_.ConnectedPath(i, path) || hid::IsInterfacePresent(*backend_, path)) {
            continue;
        }
        slots_.Release(i);
        if (!events.Removal(i, token)) {
            return false;
        }
    }
    return true;
}

void RunDiscoveryLoop(const std::stop_token& token, CDiscoveryPass& pass, IDiscoveryEvents& events,
                      std::chrono::milliseconds period) {
    std::mutex mutex;
    std::condition_variable_any wake;
    while (!token.stop_requested()) {
        pass.Run(events, token);
        std::unique_lock lock(mutex);
        wake.wait_for(lock, token, period, [] { return false; });
    }
}

}  // namespace discovery
