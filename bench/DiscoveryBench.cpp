// One pass of the discovery thread: over the simulated bus with the emulated mouse connected
// (its slots taken, the free rows keep enumeration going), and over a sysfs tree of a few
// mouse-like hidraw nodes served from the cache, whose device nodes do not open.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/discovery/DiscoveryPass.h"
#include "bench/MouseSysfsTree.h"
#include "hid/HidrawBackend.h"
#include "sim/SimulatedMouseRig.h"

namespace {

class CountingEvents : public discovery::IDiscoveryEvents {
public:
    bool Arrival(std::size_t, const std::stop_token&) override {
        ++changes;
        return true;
    }
    bool Removal(std::size_t, const std::stop_token&) override {
        ++changes;
        return true;
    }
    void FirstPassDone() override {}
    int changes = 0;
};

void BM_DiscoveryPassSimulatedMouseConnected(benchmark::State& state) {
    sim::CSimulatedMouseRig rig;
    discovery::CSharedSlotList slots;
    discovery::CDiscoveryPass pass(rig.bus, slots);
    CountingEvents events;
    std::stop_source stop;
    pass.Run(events, stop.get_token());  // claims the mouse
    for (auto _ : state) {
        pass.Run(events, stop.get_token());
    }
    state.counters["changes"] = events.changes;
}
BENCHMARK(BM_DiscoveryPassSimulatedMouseConnected)->Unit(benchmark::kMicrosecond);

void BM_DiscoveryPassSimulatedNoDevice(benchmark::State& state) {
    sim::CSimulatedMouseRig rig;
    rig.Unplug();
    discovery::CSharedSlotList slots;
    discovery::CDiscoveryPass pass(rig.bus, slots);
    CountingEvents events;
    std::stop_source stop;
    for (auto _ : state) {
        pass.Run(events, stop.get_token());
    }
}
BENCHMARK(BM_DiscoveryPassSimulatedNoDevice)->Unit(benchmark::kMicrosecond);

void BM_DiscoveryPassSysfsTree(benchmark::State& state) {
    const std::string root =
        bench::MakeMouseSysfsTree("discovery", static_cast<int>(state.range(0)));
    const std::string dev = root + "/dev";  // empty: the candidates are tried and do not open
    std::filesystem::create_directories(dev);
    auto backend = std::make_shared<hid::CHidrawBackend>(root, dev);
    discovery::CSharedSlotList slots;
    discovery::CDiscoveryPass pass(backend, slots);
    CountingEvents events;
    std::stop_source stop;
    for (auto _ : state) {
        pass.Run(events, stop.get_token());
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_DiscoveryPassSysfsTree)->Arg(3)->Arg(8)->Unit(benchmark::kMicrosecond);

}  // namespace
