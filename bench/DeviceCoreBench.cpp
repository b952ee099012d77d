// Device cores: CPU used by an open, idle mouse core's threads, and the cost of light frames.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "devices/core/LightSteps.h"
#include "devices/core/MouseDeviceCore.h"
#include "devices/core/UserLightPlayer.h"
#include "sim/SimulatedMouseRig.h"

namespace {

std::set<std::string> Tasks() {
    std::set<std::string> out;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] != '.') {
                out.insert(e->d_name);
            }
        }
        closedir(dir);
    }
    return out;
}

// utime + stime of one thread, in clock ticks.
long long TaskTicks(const std::string& tid) {
    std::ifstream in("/proc/self/task/" + tid + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    // Fields after the name start at 3 (state); utime and stime are 14 and 15.
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        if (i == 15)
            stime = std::stoll(field);
    }
    return utime + stime;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One mouse core open on an emulated mouse (preview and listener running), left alone 5 s.
void BM_IdleMouseCoreCpu(benchmark::State& state) {
    constexpr double kSeconds = 5.0;
    for (auto _ : state) {
        sim::CSimulatedMouseRig rig;
        const std::set<std::string> before = Tasks();
        devices::CMouseDeviceCore core(rig.bus);
        core.SetProfileId("bench");
        core.OpenCommandInterface(rig.CommandPath(), false);
        core.OpenDevice();
        core.OpenEventInterface(rig.EventPath());
        std::vector<std::string> coreTasks;
        for (const std::string& tid : Tasks()) {
            if (!before.count(tid)) {
                coreTasks.push_back(tid);
            }
        }
        long long ticksBefore = 0;
        for (const auto& tid : coreTasks)
            ticksBefore += TaskTicks(tid);
        const double processBefore = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
        long long ticksAfter = 0;
        for (const auto& tid : coreTasks)
            ticksAfter += TaskTicks(tid);
        const double processCpu = ProcessCpuSeconds() - processBefore;
        const double tick = 1.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
        state.counters["core_threads"] = static_cast<double>(coreTasks.size());
        state.counters["core_threads_cpu_pct"] =
            100.0 * static_cast<double>(ticksAfter - ticksBefore) * tick / kSeconds;
        state.counters["process_cpu_pct"] = 100.0 * processCpu / kSeconds;
        core.StopThreads();
    }
}
BENCHMARK(BM_IdleMouseCoreCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_SpectrumFrame(benchmark::State& state) {
    devices::lightsteps::LightAnimation animation;
    std::vector<devices::LedColour> leds(static_cast<std::size_t>(state.range(0)));
    LightInfoRecord settings;
    settings.light = 5;
    settings.multiColor = 1;
    settings.fx = 1;
    for (auto _ : state) {
        devices::lightsteps::StepSpectrumEffect(animation, settings, leds);
        benchmark::DoNotOptimize(leds.data());
    }
}
BENCHMARK(BM_SpectrumFrame)->Arg(19)->Arg(126);

void BM_UserLightFrame(benchmark::State& state) {
    std::recursive_mutex lock;
    devices::UserLightSteps steps;
    LightEffectStep step;
    step.ledRegMode = 4;
    step.ledSpeed = 5;
    step.ledMultiColor = 1;
    step.time = 1000;
    steps.steps = {step, step};
    steps.count = 2;
    devices::CUserLightPlayer player;
    std::vector<devices::LedColour> leds(126);
    std::uint64_t now = 0;
    for (auto _ : state) {
        player.Step(lock, steps, 4, leds, now += 2);
        benchmark::DoNotOptimize(leds.data());
    }
}
BENCHMARK(BM_UserLightFrame);

}  // namespace
