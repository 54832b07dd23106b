// MDL.Load on arbitrary bytes, the corpus palette turned into its skin, then
// animated and still frames of Render (with a frame set far outside the model)
// on an offscreen GL context made once.
#include <korvath/Korvath.h>

#include <cstddef>
#include <cstdint>
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
    g_model = fuzzsupport::ScratchDirectory("mdl") + "model.mdl";
    fuzzsupport::StartEngine(160, 120, "");
    korvath::Timing().FrameTime = 0.25f;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_model, data, size);
    korvath::MDL model;
    model.Load(g_model);
    model.SetPalette(KORVATH_CORPUS_DIR "/mdl/gfx/palette.lmp");
    fuzzsupport::RenderKeyframes(model);
    return 0;
}
