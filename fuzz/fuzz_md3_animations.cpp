// MD3.LoadAnimationTable on arbitrary bytes, then every animation member and
// animated Renders of the corpus player on an offscreen GL context made
// once: absurd first frames, counts and rates must neither crash nor
// read outside the parts.
#include <korvath/Korvath.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/FrameTiming.h"
#include "FuzzEngine.h"

namespace {

std::string g_table;
korvath::MD3* g_player = nullptr;

}  // namespace

extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/korvath-fuzz-md3-animations-XXXXXX";
    const std::string directory = mkdtemp(pattern) ? pattern : "/tmp";
    g_table = directory + "/animation.cfg";
    fuzzsupport::StartEngine(160, 120, "");
    static korvath::MD3 player;
    player.Load(KORVATH_CORPUS_DIR "/q3/models/players/tony");
    korvath::SHADER material;
    material.Stages.resize(1);
    for (int32_t part = 0; part < 3; ++part) player.SetShader(part, material);
    g_player = &player;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream(g_table, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    korvath::MD3& player = *g_player;
    player.LoadAnimationTable(g_table);
    const auto entries = static_cast<int32_t>(player.Animations().size());
    for (int32_t name = 0; name < entries + 2; ++name) {
        player.SetDeathAnimation(static_cast<korvath::MD3_Death_Animations>(name));
        player.SetTorsoAnimation(static_cast<korvath::MD3_Torso_Animations>(name));
        player.SetLegsAnimation(static_cast<korvath::MD3_Legs_Animations>(name));
        korvath::Timing().CurrentTick += 1 + name * 13;
        player.Render();
        if (name > 40) break;
    }
    return 0;
}
