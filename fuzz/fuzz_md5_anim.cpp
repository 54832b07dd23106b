// MD5.LoadAnimation on arbitrary text over the corpus flag, then cross-fades
// between it and the bind pose, animated and still Renders, on an offscreen
// GL context made once.
#include <korvath/Korvath.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/FrameTiming.h"
#include "FuzzEngine.h"
#include "FuzzFiles.h"

namespace {

std::string g_anim;

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_anim = fuzzsupport::ScratchDirectory("md5-anim") + "fuzzed.md5anim";
    fuzzsupport::StartEngine(160, 120, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_anim, data, size);
    korvath::MD5 model;
    model.Load(KORVATH_CORPUS_DIR "/md5/ffflag.md5mesh");
    model.LoadAnimation(g_anim);
    korvath::Timing().FrameTime = 0.2f;
    model.SetAnimation("", 3);
    for (int i = 0; i < 4; ++i) {
        model.Update();
        model.Render();
    }
    model.SetAnimation("fuzzed", 100);
    korvath::Timing().FrameTime = 1e9f;
    model.Update();
    model.Render();
    model.SetFrame(-7);
    model.Render(false);
    return 0;
}
