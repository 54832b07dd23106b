// MD3.Load on arbitrary bytes as all three parts of a player (so the tags
// link the part to itself's copies) and as a weapon, then animated and still
// Renders with frames set far outside the parts, on an offscreen GL context
// made once.
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

std::string g_folder;

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/korvath-fuzz-md3-XXXXXX";
    g_folder = mkdtemp(pattern) ? pattern : "/tmp";
    fuzzsupport::StartEngine(160, 120, "");
    // Every entry runs 5 frames at 1000 frames per second from frame 0.
    std::string table;
    for (int i = 0; i < 25; ++i) table += "0\t6\t0\t1000\n";
    WriteFile(g_folder + "/animation.cfg", reinterpret_cast<const uint8_t*>(table.data()), table.size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const char* part : {"/lower.md3", "/upper.md3", "/head.md3"}) WriteFile(g_folder + part, data, size);
    korvath::MD3 player;
    player.LoadAnimationTable(g_folder + "/animation.cfg");
    player.Load(g_folder);
    player.Load("", g_folder + "/head.md3");
    korvath::SHADER material;
    material.Stages.resize(1);
    for (int32_t part = 0; part < 4; ++part) player.SetShader(part, material);
    player.SetTorsoAnimation(korvath::TORSO_ATTACK);
    player.SetLegsAnimation(korvath::LEGS_RUN);
    for (int i = 0; i < 3; ++i) {
        korvath::Timing().CurrentTick += 7;
        player.Render();
    }
    player.SetFrame(1 << 30, korvath::MD3_UPPER);
    player.SetFrame(-5, korvath::MD3_LOWER);
    player.Render(false);
    for (int32_t part = 0; part < 4; ++part) player.SetShader(part, {});  // nothing of its own to free
    return 0;
}
