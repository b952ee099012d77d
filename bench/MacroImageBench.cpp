// Cost of preparing a macro download: reading every macro file of a full list and building the
// image, and building the image alone.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "macros/EventImage.h"
#include "macros/MacroFiles.h"
#include "macros/MacroLibrary.h"
#include "profiles/JsonFile.h"

namespace {

// 50 macros of `events` key events each, in a fresh folder.
std::string MakeFolder(int events) {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("zorvath-bench-macros-" + std::to_string(::getpid()) + "-" + std::to_string(events));
    std::filesystem::create_directories(dir);
    const std::string folder = dir.string() + "/";
    Json::Value list(Json::objectValue);
    for (Json::ArrayIndex m = 0; m < 50; ++m) {
        const std::string guid = "m" + std::to_string(m);
        list["MacroInfo"][m]["MacroName"] = "macro_" + std::to_string(m + 1);
        list["MacroInfo"][m]["Guid"] = guid;
        std::vector<macros::MacroAction> actions;
        for (int e = 0; e < events; ++e) {
            actions.push_back(
                {macros::MakeEvent(e % 2 == 0, 4 + e % 26, macros::EventType::Key, 30), "30"});
        }
        CJsonFile().writejsonFile(folder + guid + ".mac",
                                  macros::BuildMacroDocument("n", guid, actions));
    }
    CJsonFile().writejsonFile(folder + "macro.config", list);
    return folder;
}

void BM_LoadMacroRecordsAndBuildImage(benchmark::State& state) {
    const std::string folder = MakeFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(macros::BuildEventImage(macros::LoadMacroRecords(folder)));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadMacroRecordsAndBuildImage)->Arg(20)->Arg(300)->Unit(benchmark::kMillisecond);

// A list file far past the list's limit (no macro files): what a start reads from it, the list
// rows, the names for the keys and the records for the download.
void BM_LoadOversizedMacroList(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zorvath-bench-macro-list-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string folder = dir.string() + "/";
    Json::Value list(Json::objectValue);
    for (Json::ArrayIndex m = 0; m < static_cast<Json::ArrayIndex>(state.range(0)); ++m) {
        list["MacroInfo"][m]["MacroName"] = "macro_" + std::to_string(m + 1);
        list["MacroInfo"][m]["Guid"] = "m" + std::to_string(m);
    }
    CJsonFile().writejsonFile(folder + "macro.config", list);
    macros::CMacroLibrary library;
    library.SetFolder(folder);
    for (auto _ : state) {
        library.LoadList();
        benchmark::DoNotOptimize(macros::ReadMacroNames(folder, macros::kMacroListFileName));
        benchmark::DoNotOptimize(macros::LoadMacroRecords(folder));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadOversizedMacroList)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_BuildEventImage(benchmark::State& state) {
    const std::vector<std::vector<macros::DeviceEventRecord>> records(
        50, std::vector<macros::DeviceEventRecord>(static_cast<std::size_t>(state.range(0)),
                                                   macros::DeviceEventRecord{30, 0, 0x8A, 4}));
    for (auto _ : state) {
        benchmark::DoNotOptimize(macros::BuildEventImage(records));
    }
}
BENCHMARK(BM_BuildEventImage)->Arg(20)->Arg(300);

}  // namespace
