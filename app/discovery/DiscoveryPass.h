#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <stop_token>

#include "app/discovery/SharedSlotList.h"
#include "hid/HidBackend.h"
#include "hid/HidDevice.h"

namespace discovery {

// Where the discovery thread hands its findings. Arrival and Removal run the change on the UI
// thread and return once it was handled; they return false without handling it when the thread
// is being stopped (the UI thread may be joining it). FirstPassDone only posts.
class IDiscoveryEvents {
public:
    virtual ~IDiscoveryEvents() = default;
    virtual bool Arrival(std::size_t slotIndex, const std::stop_token& token) = 0;
    virtual bool Removal(std::size_t slotIndex, const std::stop_token& token) = 0;
    virtual void FirstPassDone() = 0;
};

// One pass of the discovery thread: while a slot is free, every present interface that a free
// slot could take is opened for reading, identified and claimed; then every connected slot
// whose interface is gone is released. Only candidates are opened, so the interfaces of a
// connected device are never touched again.
class CDiscoveryPass {
public:
    CDiscoveryPass(std::shared_ptr<hid::IHidBackend> backend, CSharedSlotList& slots);

    // False when a hand-over was refused (the thread is stopping): the pass ends there.
    bool Run(IDiscoveryEvents& events, const std::stop_token& token);

    bool FirstPassRan() const { return firstPassRan_; }

private:
    bool ClaimArrivals(IDiscoveryEvents& events, const std::stop_token& token);
    bool ReleaseRemovals(IDiscoveryEvents& events, const std::stop_token& token);

    std::shared_ptr<hid::IHidBackend> backend_;
    CSharedSlotList& slots_;
    std::unique_ptr<hid::CHidDevice> probe_;  // made on first use
    bool firstPassRan_ = false;
};

inline constexpr std::chrono::milliseconds kDiscoveryPeriod{100};

// The thread body: a pass, then a wait of period that the stop request cuts short; until stopped.
void RunDiscoveryLoop(const std::stop_token& token, CDiscoveryPass& pass, IDiscoveryEvents& events,
                      std::chrono::milliseconds period = kDiscoveryPeriod);

}  // namespace discovery
