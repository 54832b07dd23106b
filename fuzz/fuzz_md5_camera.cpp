// MD5.LoadCamera on arbitrary text, twice, and every track it kept read back.
#include <korvath/Korvath.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzFiles.h"

namespace {

std::string g_camera;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_camera = fuzzsupport::ScratchDirectory("md5-camera") + "track.md5camera";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::WriteInput(g_camera, data, size);
    korvath::MD5 model;
    model.LoadCamera(g_camera);
    model.LoadCamera(g_camera);
    size_t frames = 0;
    for (int32_t i = -1; i <= model.Cameras(); ++i) frames += model.Camera(i).Frames.size();
    if (frames > size) __builtin_trap();  // every frame needs a line of its own
    return 0;
}
