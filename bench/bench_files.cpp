// Case-insensitive look-ups as a level load makes them: every texture of the
// corpus level asked for in lower case as the material parser writes it (a
// miss on the exact name wherever the file's own spelling has capitals), and
// once more under an extension it does not have (a miss that ends in a scan of
// the last directory), as the loader's extension search does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "support/TestSupport.h"

namespace {

using namespace korvath;

std::vector<std::string> LookedUpNames() {
    const std::string base = test::CorpusPath("q3") + "/";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base + "textures")) {
        if (!entry.is_regular_file()) continue;
        std::string relative = entry.path().string().substr(base.size());
        std::transform(relative.begin(), relative.end(), relative.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(base + relative);
        names.push_back(base + relative.substr(0, relative.rfind('.')) + ".bmp");
    }
    return names;
}

void BM_LevelTextureLookups(benchmark::State& state) {
    const std::vector<std::string> names = LookedUpNames();
    for (auto _ : state)
        for (const std::string& name : names) benchmark::DoNotOptimize(platform::FindFileIgnoringCase(name));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}
BENCHMARK(BM_LevelTextureLookups)->Unit(benchmark::kMillisecond);

}  // namespace
