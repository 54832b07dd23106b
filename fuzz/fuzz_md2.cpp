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
#include "FuzzFiles.h"
#include "KeyframeRuns.h"

namespace {

std::string g_model;

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_model = fuzzsupport::ScratchDirectory("md2") + "model.md2";
    fuzzsupport::StartEngine(160, 120, "");
    korvath::Timing().FrameTime = 0.25f;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_model, data, size);
    korvath::MD2 model;
    model.Load(g_model);
    fuzzsupport::RenderKeyframes(model);
    return 0;
}
