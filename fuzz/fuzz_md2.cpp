// MD2.Load on arbitrary bytes, then animated and still frames of Render (with
// a frame set far outside the model) on an offscreen GL context made once.
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

std::string g_model;

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/korvath-fuzz-md2-XXXXXX";
    const std::string directory = mkdtemp(pattern) ? pattern : "/tmp";
    g_model = directory + "/model.md2";
    fuzzsupport::StartEngine(160, 120, "");
    korvath::Timing().FrameTime = 0.25f;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream(g_model, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    korvath::MD2 model;
    model.Load(g_model);
    model.SetVelocity(7);
    model.SetAnimation("run");
    model.Render();
    model.Render();
    model.SetFrame(1 << 30);
    model.Render(false);
    model.SetFrame(-5);
    model.Render(false);
    return 0;
}
