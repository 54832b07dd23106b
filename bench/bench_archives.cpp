// Archives side by side in one run: extracting every entry of a large real PK3
// with Pack against the unzip program on the same archive, and loading a level
// of the game data from its mounted archives against the same level from loose
// files (the unpacked cache of scripts/fetch-game-data.sh --unpacked).
//   BENCH_ARCHIVE  the PK3 to extract (default: the game data's pak0.pk3)
//   BENCH_LOOSE    the unpacked game data (default: ~/.cache/korvath/baseoa)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "core/ConsoleState.h"
#include "core/Paths.h"
#include "korvath/Map.h"
#include "korvath/Pack.h"

namespace korvath::bench {
namespace {

const std::string kGameData = "/usr/share/games/openarena/baseoa/";
const std::string kLevel = "maps/aggressor.bsp";

std::string Setting(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}
std::string ArchivePath() { return Setting("BENCH_ARCHIVE", kGameData + "pak0.pk3"); }
std::string LooseData() {
    const char* home = std::getenv("HOME");
    return Setting("BENCH_LOOSE", std::string(home ? home : "") + "/.cache/korvath/baseoa/");
}

std::string ScratchFolder() {
    const std::string folder = test::ProcessDirectory() + "/extract/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// The console stays hidden, so the loading screen is not redrawn per entry or
// stage and the file work alone is measured.
void HiddenConsoleEngine() {
    SharedEngine();
    ConsoleData().Visible = false;
}

void BM_Extract_Korvath(benchmark::State& state) {
    HiddenConsoleEngine();
    if (!std::filesystem::exists(ArchivePath())) return state.SkipWithError("no archive (scripts/fetch-game-data.sh)");
    for (auto _ : state) {
        state.PauseTiming();
        EnginePath() = ScratchFolder();
        state.ResumeTiming();
        Pack pack;
        pack.Load(ArchivePath());
        if (!pack.Extract()) state.SkipWithError("nothing extracted");
        state.PauseTiming();
        pack.UnLoad();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(ArchivePath())));
}

void BM_Extract_Unzip(benchmark::State& state) {
    if (!std::filesystem::exists(ArchivePath())) return state.SkipWithError("no archive (scripts/fetch-game-data.sh)");
    const std::string command = "unzip -qq -o '" + ArchivePath() + "' -d ";
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder = ScratchFolder();
        state.ResumeTiming();
        if (std::system((command + "'" + folder + "'").c_str()) != 0) state.SkipWithError("unzip failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(ArchivePath())));
}

void LoadLevel(benchmark::State& state) {
    for (auto _ : state) {
        Map map;
        map.Load(kLevel);
        if (!map.Loaded()) state.SkipWithError("the level did not load");
    }
}

void BM_LevelLoad_Loose(benchmark::State& state) {
    HiddenConsoleEngine();
    if (!std::filesystem::exists(LooseData() + kLevel))
        return state.SkipWithError("no loose data (scripts/fetch-game-data.sh --unpacked)");
    EnginePath() = LooseData();
    LoadLevel(state);
}

// Every archive of the game data mounted in name order, as the viewer does.
std::vector<std::unique_ptr<Pack>> MountGameData() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kGameData))
        if (entry.path().extension() == ".pk3") names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    std::vector<std::unique_ptr<Pack>> packs;
    for (const std::string& name : names) {
        packs.push_back(std::make_unique<Pack>());
        packs.back()->Mount(name);
    }
    return packs;
}

void BM_LevelLoad_Mounted(benchmark::State& state) {
    HiddenConsoleEngine();
    if (!std::filesystem::exists(kGameData)) return state.SkipWithError("no game data (scripts/fetch-game-data.sh)");
    EnginePath() = ScratchFolder();
    const auto packs = MountGameData();
    LoadLevel(state);
}

void BM_MountGameData(benchmark::State& state) {
    HiddenConsoleEngine();
    if (!std::filesystem::exists(kGameData)) return state.SkipWithError("no game data (scripts/fetch-game-data.sh)");
    EnginePath() = kGameData;
    for (auto _ : state) benchmark::DoNotOptimize(MountGameData());
}

BENCHMARK(BM_Extract_Korvath)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Extract_Unzip)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LevelLoad_Loose)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_LevelLoad_Mounted)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_MountGameData)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvath::bench
