// Cost of the profile work done after every edit on a device page: parse, format and save.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "profiles/DefaultProfiles.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"

namespace {

// The keyboard's file is the largest profile: 126 keys, 126 LEDs and a custom colour group.
const std::string& KeyboardText() {
    static const std::string text =
        CJsonFile::FormatText(defaultprofiles::MakeDefaultProfileFile("keyboard"));
    return text;
}

void BM_ParseKeyboardProfile(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CJsonFile::ParseText(KeyboardText()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * KeyboardText().size()));
}
BENCHMARK(BM_ParseKeyboardProfile);

void BM_FormatKeyboardProfile(benchmark::State& state) {
    const Json::Value file = CJsonFile::ParseText(KeyboardText());
    for (auto _ : state) {
        benchmark::DoNotOptimize(CJsonFile::FormatText(file));
    }
}
BENCHMARK(BM_FormatKeyboardProfile);

// One edit: a setter, then Save (read the file, replace the document, atomic write with fsync).
void BM_SaveKeyboardProfile(benchmark::State& state) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zorvath-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "profile.Json").string();
    CJsonFile().writejsonFile(path, CJsonFile::ParseText(KeyboardText()));
    CKeyboardProfiledata profile;
    profile.SetProfilePath(path);
    profile.LoadProfile(path);
    std::uint32_t repeat = 0;
    for (auto _ : state) {
        profile.SetSystemStages({PackHalves(static_cast<std::uint16_t>(repeat++ & 31), 1), 0, 0});
        benchmark::DoNotOptimize(profile.Save());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveKeyboardProfile)->Unit(benchmark::kMillisecond);

}  // namespace
