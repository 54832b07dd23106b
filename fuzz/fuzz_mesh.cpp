// Mesh.Load on arbitrary text, then Render (triangles naming any vertex, fans)
// and Save on an offscreen GL context made once.
#include <korvath/Korvath.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzEngine.h"
#include "FuzzFiles.h"

namespace {

std::string g_mesh, g_saved;

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string scratch = fuzzsupport::ScratchDirectory("mesh");
    g_mesh = scratch + "model.mesh";
    g_saved = scratch + "saved.mesh";
    fuzzsupport::StartEngine(160, 120, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_mesh, data, size);
    korvath::Mesh mesh;
    mesh.Load(g_mesh);
    mesh.Render();
    mesh.SetTriangle(0, 1, 2, 3);
    mesh.Render();
    mesh.Save(g_saved);
    return 0;
}
