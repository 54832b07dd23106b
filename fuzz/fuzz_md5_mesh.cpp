// MD5.Load on arbitrary text, then an animation of two joints over whatever
// skeleton it made, the clock, animated and still Renders, and joint links
// turned into a loop, on an offscreen GL context made once.
#include <korvath/Korvath.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/FrameTiming.h"
#include "FuzzEngine.h"
#include "FuzzFiles.h"

namespace {

std::string g_mesh, g_anim;

const char kChainAnimation[] =
    "MD5Version 10\nnumFrames 3\nnumJoints 2\nframeRate 24\nnumAnimatedComponents 2\n"
    "hierarchy {\n\t\"a\"\t-1 63 0\n\t\"b\"\t0 1 6\n}\nbaseframe {\n\t( 0 0 0 ) ( 0 0 0 )\n\t( 1 0 0 ) ( 0 0 0 )\n}\n"
    "frame 0 {\n\t1 2 \n}\nframe 1 {\n\t3 4 \n}\nframe 2 {\n\t5 \n}\n";

}  // namespace

// The software GL driver keeps what it allocates for its generated shader
// variants, from code the leak checker cannot name.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_mesh = fuzzsupport::ScratchDirectory("md5-mesh") + "model.md5mesh";
    g_anim = fuzzsupport::ScratchDirectory("md5-mesh") + "chain.md5anim";
    fuzzsupport::WriteInput(g_anim, reinterpret_cast<const uint8_t*>(kChainAnimation), sizeof kChainAnimation - 1);
    fuzzsupport::StartEngine(160, 120, "");
    korvath::Timing().FrameTime = 0.25f;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_mesh, data, size);
    korvath::MD5 model;
    model.Load(g_mesh);
    model.Render();
    model.LoadAnimation(g_anim);
    model.SetAnimation("", 4);
    for (int i = 0; i < 3; ++i) {
        model.Update();
        model.Render();
    }
    model.SetFrame(1 << 30);
    model.Render(false);
    for (int32_t j = 0; j < model.Joints() && j < 4; ++j) {
        korvath::JOINT joint = model.Joint(j);
        joint.Children = {0, j, j + 1, -1};
        model.Joint(j, joint);
    }
    model.Render(false);
    return 0;
}
