// The discovery pass against the emulated mouse on a simulated bus: what it claims, what it
// opens, the order of removals and arrivals, and how it stops.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/discovery/DiscoveryPass.h"
#include "sim/SimulatedMouseRig.h"

namespace {

using discovery::CDiscoveryPass;
using discovery::CSharedSlotList;

constexpr std::size_t kMouseCommandSlot = 2;
constexpr std::size_t kMouseEventSlot = 3;

// Counts what the pass asks of the bus; can be told to fail enumeration.
class CountingBackend : public hid::IHidBackend {
public:
    explicit CountingBackend(std::shared_ptr<hid::IHidBackend> inner) : inner_(std::move(inner)) {}
    bool Enumerate(std::vector<std::string>& paths) override {
        ++enumerations;
        return !failEnumeration && inner_->Enumerate(paths);
    }
    bool IsPresent(const std::string& path) override { return inner_->IsPresent(path); }
    std::unique_ptr<hid::IHidHandle> Open(const std::string& path, bool write) override {
        ++opens;
        return inner_->Open(path, write);
    }
    std::atomic<int> enumerations{0};
    std::atomic<int> opens{0};
    std::atomic<bool> failEnumeration{false};

private:
    std::shared_ptr<hid::IHidBackend> inner_;
};

// Records hand-overs as "+slot" and "-slot"; refuses them when told to.
class RecordingEvents : public discovery::IDiscoveryEvents {
public:
    bool Arrival(std::size_t slot, const std::stop_token&) override {
        return Record("+" + std::to_string(slot));
    }
    bool Removal(std::size_t slot, const std::stop_token&) override {
        return Record("-" + std::to_string(slot));
    }
    void FirstPassDone() override {
        std::lock_guard lock(mutex);
        ++firstPasses;
    }
    std::vector<std::string> Take() {
        std::lock_guard lock(mutex);
        return std::exchange(trail, {});
    }

    std::mutex mutex;
    std::vector<std::string> trail;
    int firstPasses = 0;
    bool refuse = false;

private:
    bool Record(std::string what) {
        std::lock_guard lock(mutex);
        if (refuse) {
            return false;
        }
        trail.push_back(std::move(what));
        return true;
    }
};

class DiscoveryPassTest : public ::testing::Test {
protected:
    sim::CSimulatedMouseRig rig;
    std::shared_ptr<CountingBackend> backend = std::make_shared<CountingBackend>(rig.bus);
    CSharedSlotList slots;
    CDiscoveryPass pass{backend, slots};
    RecordingEvents events;
    std::stop_source stop;
};

TEST_F(DiscoveryPassTest, ClaimsBothMouseInterfacesOnceAndPostsTheFirstPassOnce) {
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    std::vector<std::string> trail = events.Take();
    std::sort(trail.begin(), trail.end());
    EXPECT_EQ(trail, (std::vector<std::string>{"+2", "+3"}));
    EXPECT_EQ(events.firstPasses, 1);

    const hid::HidInterfaceId command = slots.Slot(kMouseCommandSlot);
    EXPECT_EQ(command.connected, 1);
    EXPECT_EQ(command.path, rig.CommandPath());
    EXPECT_EQ(slots.Slot(kMouseEventSlot).path, rig.EventPath());

    // The connected mouse's interfaces are not opened again; the free rows keep enumeration on.
    const int opensAfterClaim = backend->opens;
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    EXPECT_TRUE(events.Take().empty());
    EXPECT_EQ(backend->opens, opensAfterClaim);
    EXPECT_EQ(backend->enumerations, 2);
    EXPECT_EQ(events.firstPasses, 1);
}

TEST_F(DiscoveryPassTest, UnplugReleasesBothSlotsAndAFastReplugIsRemovalThenArrival) {
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    events.Take();
    const std::string firstPath = rig.CommandPath();

    // Out and back in between two passes: the same slots, a new instance.
    rig.Unplug();
    rig.Plug();
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    std::vector<std::string> trail = events.Take();
    std::sort(trail.begin(), trail.end());
    EXPECT_EQ(trail, (std::vector<std::string>{"-2", "-3"}));
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    trail = events.Take();
    std::sort(trail.begin(), trail.end());
    EXPECT_EQ(trail, (std::vector<std::string>{"+2", "+3"}));
    EXPECT_NE(slots.Slot(kMouseCommandSlot).path, firstPath);

    rig.Unplug();
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    EXPECT_EQ(events.Take().size(), 2u);
    EXPECT_EQ(slots.Slot(kMouseCommandSlot).connected, 0);
    EXPECT_TRUE(slots.Slot(kMouseCommandSlot).path.empty());
}

TEST_F(DiscoveryPassTest, FailedEnumerationStillShowsTheWindowAndIsRetried) {
    backend->failEnumeration = true;
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    EXPECT_TRUE(events.Take().empty());
    EXPECT_EQ(events.firstPasses, 1);

    backend->failEnumeration = false;
    ASSERT_TRUE(pass.Run(events, stop.get_token()));
    EXPECT_EQ(events.Take().size(), 2u);
    EXPECT_EQ(events.firstPasses, 1);
}

TEST_F(DiscoveryPassTest, ARefusedHandOverEndsThePass) {
    events.refuse = true;
    EXPECT_FALSE(pass.Run(events, stop.get_token()));
    // The claim stands; the window is stopping and will not look at it again.
    EXPECT_EQ(backend->opens, 1);
}

TEST_F(DiscoveryPassTest, TheLoopRunsAPassAtOnceAndStopsWithoutWaitingOutItsPeriod) {
    std::jthread thread([&](std::stop_token token) {
        discovery::RunDiscoveryLoop(token, pass, events, std::chrono::hours(1));
    });
    for (int i = 0; i < 500 && events.firstPasses == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const auto before = std::chrono::steady_clock::now();
    thread.request_stop();
    thread.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    EXPECT_EQ(backend->enumerations, 1);
}

}  // namespace
