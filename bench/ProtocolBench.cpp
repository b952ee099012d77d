// Cost of command transactions against the emulated mouse on the simulated bus.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "protocol/DeviceProtocol.h"
#include "protocol/ResultCodes.h"
#include "sim/SimulatedMouseRig.h"

namespace {

struct OpenMouse {
    sim::CSimulatedMouseRig rig;
    protocol::CDeviceProtocol protocol{rig.bus};

    explicit OpenMouse(std::uint32_t latencyMicros) {
        rig.mouse->Firmware().SetLatencyMicros(latencyMicros);
        protocol.hid.Open(rig.CommandPath(), true, true, true, false);
        protocol.opened = true;
    }
};

// One full transaction (a six-byte status read), no device latency: the host and bus cost.
void BM_OneTransactionZeroLatency(benchmark::State& state) {
    OpenMouse mouse(0);
    std::uint8_t status[6];
    for (auto _ : state) {
        if (mouse.protocol.CmdReadStatus(status, sizeof status, 0) != protocol::kOk) {
            state.SkipWithError("transaction failed");
            break;
        }
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_OneTransactionZeroLatency)->UseRealTime();

// The settings write of one DPI change: begin, 57 bytes in two frames, end (which waits 10 ms
// first), with 1 ms from each request to its reply.
void BM_SettingsWriteOneMsLatency(benchmark::State& state) {
    OpenMouse mouse(1000);
    std::uint8_t block[57] = {};
    for (auto _ : state) {
        bool ok = mouse.protocol.CmdBeginSession() == protocol::kOk &&
                  mouse.protocol.CmdWriteSettings(block, sizeof block, 0) == protocol::kOk &&
                  mouse.protocol.CmdEndSession() == protocol::kOk;
        if (!ok) {
            state.SkipWithError("settings write failed");
            break;
        }
    }
}
BENCHMARK(BM_SettingsWriteOneMsLatency)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same four transactions without the end-of-session pause: the transport's share.
void BM_SettingsFramesOneMsLatency(benchmark::State& state) {
    OpenMouse mouse(1000);
    std::uint8_t block[57] = {};
    for (auto _ : state) {
        bool ok = mouse.protocol.CmdBeginSession() == protocol::kOk &&
                  mouse.protocol.CmdWriteSettings(block, sizeof block, 0) == protocol::kOk &&
                  mouse.protocol.CmdEnterLiveLight() == protocol::kOk;
        if (!ok) {
            state.SkipWithError("frames failed");
            break;
        }
    }
}
BENCHMARK(BM_SettingsFramesOneMsLatency)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
