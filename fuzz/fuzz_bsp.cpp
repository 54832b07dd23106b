// Map.Load on arbitrary bytes, then one frame of Map.Render from the engine
// camera and a collision query, on an offscreen GL context made once
// (lightmaps are uploaded during the load). Texture names resolve into an
// empty directory.
#include <korvath/Korvath.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

#include "FuzzEngine.h"
#include "FuzzFiles.h"

namespace {

std::string g_directory;
std::string g_level;

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name, so no suppression can
// single it out; the level's own tables are plain containers.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_directory = fuzzsupport::ScratchDirectory("bsp");
    g_level = g_directory + "level.bsp";
    fuzzsupport::StartEngine(320, 240, g_directory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_level, data, size);
    korvath::Map map;
    map.Load(g_level);
    map.Render();
    // The queries walk the same tables the loader checked: a box sweep (which runs
    // all five traces) and a point visibility test.
    korvath::VOLUME box;
    box.Min = {-16, -24, -16};
    box.Max = {16, 32, 16};
    map.Volume({box});
    map.Collision({-300, 40, 200}, {300, -40, -200}, 8);
    map.Visible({10, 20, 30});
    korvath::VECTOR3 ambient, directed, direction;
    for (const korvath::VECTOR3& at : {korvath::VECTOR3{10, 20, 30}, korvath::VECTOR3{-1e30f, 1e30f, 0}})
        map.Light(at, ambient, directed, direction);
    return 0;
}
