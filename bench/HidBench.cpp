// The HID transport: one report round trip through the simulated bus and through a hidraw
// node (a SOCK_SEQPACKET socket answered by an echo thread), descriptor parsing, and an
// enumeration pass over an unchanged sysfs tree (served from the cache).
#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "bench/MouseSysfsTree.h"
#include "hid/HidDevice.h"
#include "hid/HidrawBackend.h"
#include "hid/HidrawNode.h"
#include "hid/SimulatedHid.h"
#include "sim/MouseDescriptors.h"
#include "tests/support/EchoDevice.h"

namespace {

using testsupport::EchoDevice;

void BM_SimulatedRoundTrip(benchmark::State& state) {
    auto bus = std::make_shared<hid::CSimulatedHidBus>();
    bus->Plug(std::make_shared<EchoDevice>(*bus));
    hid::CHidDevice dev(bus);
    if (!dev.Open("sim/hid0&vid_320f&pid_2210&mi_01&col04", true, true, true, false)) {
        state.SkipWithError("open failed");
        return;
    }
    std::uint8_t frame[64] = {0x04};
    std::uint8_t reply[64];
    for (auto _ : state) {
        if (dev.Write(frame, 64, nullptr, 1000) != 1 || dev.Read(reply, 64, nullptr, 1000) != 1) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
}
BENCHMARK(BM_SimulatedRoundTrip);

void BM_HidrawNodeRoundTrip(benchmark::State& state) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0) {
        state.SkipWithError("socketpair failed");
        return;
    }
    std::thread echo([fd = fds[1]] {
        std::uint8_t buffer[64];
        for (;;) {
            ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0 || ::send(fd, buffer, static_cast<std::size_t>(n), 0) != n) {
                return;
            }
        }
    });
    auto node = hid::CHidrawNode::Create(fds[0], {0x320F, 0x2210, 1}, sim::MouseMultiDescriptor());
    auto handle = node->OpenCollection(3);
    std::uint8_t frame[64] = {0x04};
    std::uint8_t reply[64];
    std::uint32_t n = 0;
    for (auto _ : state) {
        if (handle->Write(frame, 64, n, 1000) != 1 || handle->Read(reply, 64, n, 1000) != 1) {
            state.SkipWithError("transfer failed");
            break;
        }
    }
    handle.reset();
    node.reset();  // closes our end: the echo thread sees end of file
    echo.join();
    ::close(fds[1]);
}
BENCHMARK(BM_HidrawNodeRoundTrip);

void BM_ParseMouseDescriptor(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = sim::MouseMultiDescriptor();
    for (auto _ : state) {
        hid::ReportDescriptorInfo info;
        std::string error;
        benchmark::DoNotOptimize(hid::ParseReportDescriptor(bytes, info, error));
    }
}
BENCHMARK(BM_ParseMouseDescriptor);

// Ten mouse-like nodes; every pass after the first reads links only.
void BM_EnumerateUnchangedSysfs(benchmark::State& state) {
    const std::string root = bench::MakeMouseSysfsTree("sysfs", 10);
    hid::CHidrawBackend backend(root, "/dev");
    std::vector<std::string> paths;
    for (auto _ : state) {
        paths.clear();
        backend.Enumerate(paths);
        benchmark::DoNotOptimize(paths.data());
    }
    state.counters["interfaces"] = static_cast<double>(paths.size());
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_EnumerateUnchangedSysfs);

}  // namespace
