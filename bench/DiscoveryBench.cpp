// One pass of the discovery thread: over the simulated bus with the emulated mouse connected
// (its slots taken, the free rows keep enumeration going), and over a sysfs tree of a few
// mouse-like hidraw nodes served from the cache, whose device nodes do not open.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/discovery/DiscoveryPass.h"
#include "hid/HidrawBackend.h"
#include "sim/MouseDescriptors.h"
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

// nodes mouse-like hidraw nodes (interface 1, four collections) plus one keyboard-like node.
std::string MakeSysfsTree(int nodes) {
    namespace fs = std::filesystem;
    const std::string root =
        fs::temp_directory_path() / ("zorvath-bench-discovery-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root + "/class/hidraw");
    for (int i = 0; i < nodes; ++i) {
        const std::string usb = root + "/devices/usb1/1-" + std::to_string(i);
        const std::string iface = usb + "/1-" + std::to_string(i) + ":1.1";
        const std::string hid = iface + "/0003:320F:2210.000" + std::to_string(i);
        const std::string node = "hidraw" + std::to_string(i);
        fs::create_directories(hid + "/hidraw/" + node);
        std::ofstream(usb + "/idVendor") << "320f\n";
        std::ofstream(usb + "/idProduct") << "2210\n";
        std::ofstream(usb + "/bcdDevice") << "0102\n";
        std::ofstream(iface + "/bInterfaceNumber") << "01\n";
        const auto& rd = sim::MouseMultiDescriptor();
        std::ofstream(hid + "/report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(rd.data()),
                   static_cast<std::streamsize>(rd.size()));
        fs::create_symlink(hid + "/hidraw/" + node, root + "/class/hidraw/" + node);
    }
    return root;
}

void BM_DiscoveryPassSysfsTree(benchmark::State& state) {
    const std::string root = MakeSysfsTree(static_cast<int>(state.range(0)));
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
